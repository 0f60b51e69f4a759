// The same work as the event table benchmarks, done the way one would reach
// for first: an in-memory SQLite database holding the same records. Load from
// the event file, sort by time and key (and by time alone), and the attendance
// filter written in SQL; each result is read out into records, as the table's
// are ready for use.

#include "bench_event_data.h"
#include "events/event_file.h"
#include "events/event_table.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstring>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace qtr::bench {
namespace {

void check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
    }
}

void exec(sqlite3* db, const char* sql) {
    check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db, sql);
}

// Key order (byte 0, then 6 down to 1) as one integer, so that SQLite sorts
// keys the way the program does.
std::int64_t keyOrder(const KeyNumber& k) {
    std::int64_t v = k.bytes[0];
    for (std::size_t b = 6; b >= 1; --b) {
        v = v << 8 | k.bytes[b];
    }
    return v;
}

class Database {
public:
    Database() {
        check(sqlite3_open(":memory:", &db_), db_, "open");
        exec(db_, "CREATE TABLE events (unit INTEGER, key BLOB, key_order INTEGER, ts REAL, "
                  "code INTEGER, r1 INTEGER, r2 INTEGER)");
        exec(db_, "CREATE TABLE units (address INTEGER PRIMARY KEY, type INTEGER, "
                  "usage INTEGER, relay INTEGER)");
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    sqlite3* get() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// Reads QTR0005.DAT and inserts every record in one transaction.
void loadEvents(sqlite3* db) {
    EventTable file; // only the reading of the file; the records go to SQLite
    if (!file.load(benchData().eventFile).complete) {
        throw std::runtime_error("event file");
    }
    exec(db, "DELETE FROM events");
    exec(db, "BEGIN");
    sqlite3_stmt* st = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO events VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)", -1, &st,
                             nullptr),
          db, "prepare insert");
    for (int i = 1; i <= file.count(); ++i) {
        const EventRecord e = file.at(i);
        sqlite3_bind_int(st, 1, e.unitAddress);
        sqlite3_bind_blob(st, 2, e.keyNumber.bytes.data(), 7, SQLITE_STATIC);
        sqlite3_bind_int64(st, 3, keyOrder(e.keyNumber));
        sqlite3_bind_double(st, 4, e.timestamp);
        sqlite3_bind_int(st, 5, e.eventCode);
        sqlite3_bind_int(st, 6, e.reserved1);
        sqlite3_bind_int(st, 7, e.reserved2);
        check(sqlite3_step(st), db, "insert");
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    exec(db, "COMMIT");
}

void loadUnits(sqlite3* db) {
    sqlite3_stmt* st = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO units VALUES (?1, ?2, ?3, ?4)", -1, &st, nullptr), db,
          "prepare units");
    const auto& units = benchData().db.units;
    for (int i = 1; i <= units.count(); ++i) {
        sqlite3_bind_int(st, 1, units.at(i).address);
        sqlite3_bind_int(st, 2, units.at(i).unitType);
        sqlite3_bind_int(st, 3, units.at(i).usage);
        sqlite3_bind_int(st, 4, units.at(i).relayMask);
        check(sqlite3_step(st), db, "insert unit");
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}

// Runs a query of (unit, key, ts, code, r1, r2) rows and reads them into records.
std::vector<EventRecord> query(sqlite3* db, const char* sql) {
    sqlite3_stmt* st = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), db, sql);
    std::vector<EventRecord> out;
    out.reserve(EventTable::kCapacity);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        EventRecord e;
        e.unitAddress = static_cast<std::uint8_t>(sqlite3_column_int(st, 0));
        std::memcpy(e.keyNumber.bytes.data(), sqlite3_column_blob(st, 1), 7);
        e.timestamp = sqlite3_column_double(st, 2);
        e.eventCode = static_cast<std::uint8_t>(sqlite3_column_int(st, 3));
        e.reserved1 = static_cast<std::uint8_t>(sqlite3_column_int(st, 4));
        e.reserved2 = static_cast<std::uint8_t>(sqlite3_column_int(st, 5));
        out.push_back(e);
    }
    check(rc, db, sql);
    sqlite3_finalize(st);
    return out;
}

constexpr const char* kByTimeThenKey =
    "SELECT unit, key, ts, code, r1, r2 FROM events ORDER BY ts, key_order";
constexpr const char* kByTime = "SELECT unit, key, ts, code, r1, r2 FROM events ORDER BY ts";

// AttendanceSelection in SQL (r = result code, s = sensor index).
constexpr const char* kAttendance = R"(
SELECT e.unit, e.key, e.ts,
       CASE WHEN u.type = 2 THEN e.code WHEN (e.code & 1) = 0 THEN 0 ELSE 4 END,
       e.r1, e.r2
FROM events e JOIN units u ON u.address = e.unit
WHERE (e.code & 8) = 0 AND (
   (u.type = 2 AND u.usage <> 0 AND ((e.code >> 4) & 3) <> 1 AND (e.code & 15) <= 5
      AND (u.relay = 0 OR ((e.code >> 4) & 3) <> 2))
   OR (u.type IN (1, 3) AND ((u.usage >> ((e.code & 15) / 2)) & 1) = 1
      AND ((e.code >> 4) & 3) NOT IN (1, 2))
   OR (u.type = 4 AND ((u.usage >> ((e.code / 2) % 2)) & 1) = 1
      AND ((e.code >> 4) & 3) NOT IN (1, 2)))
ORDER BY e.rowid)";

void BM_SqliteLoad(benchmark::State& state) {
    Database db;
    for (auto _ : state) {
        loadEvents(db.get());
    }
}
BENCHMARK(BM_SqliteLoad)->Unit(benchmark::kMillisecond);

void BM_SqliteSortByTimeThenKey(benchmark::State& state) {
    Database db;
    loadEvents(db.get());
    std::size_t n = 0;
    for (auto _ : state) {
        n = query(db.get(), kByTimeThenKey).size();
    }
    if (n != EventTable::kCapacity) {
        state.SkipWithError("wrong row count");
    }
}
BENCHMARK(BM_SqliteSortByTimeThenKey)->Unit(benchmark::kMillisecond);

void BM_SqliteSortByTime(benchmark::State& state) {
    Database db;
    loadEvents(db.get());
    for (auto _ : state) {
        benchmark::DoNotOptimize(query(db.get(), kByTime).size());
    }
}
BENCHMARK(BM_SqliteSortByTime)->Unit(benchmark::kMillisecond);

void BM_SqliteAttendanceFilter(benchmark::State& state) {
    Database db;
    loadEvents(db.get());
    loadUnits(db.get());
    // Both ways must agree before their speed means anything.
    EventTable table;
    if (!table.load(benchData().eventFile).complete) {
        throw std::runtime_error("event file");
    }
    table.keepAttendance(benchData().db.units);
    const auto rows = query(db.get(), kAttendance);
    bool same = rows.size() == static_cast<std::size_t>(table.count());
    for (std::size_t i = 0; same && i < rows.size(); ++i) {
        same = rows[i] == table.at(static_cast<int>(i) + 1);
    }
    if (!same) {
        state.SkipWithError("SQL attendance filter differs from the event table's");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(query(db.get(), kAttendance).size());
    }
    state.counters["kept"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_SqliteAttendanceFilter)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qtr::bench
