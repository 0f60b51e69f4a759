// A month's attendance card built and evaluated for each of 1000 key holders from a
// full event file of 65535 bookings: the file loaded, sorted and reduced to the
// attendance events once, then 1000 cards built, checked and evaluated.

#include "attendance/attendance_card.h"
#include "attendance/card_building.h"
#include "attendance/card_checks.h"
#include "attendance/code_list.h"
#include "attendance/evaluation.h"
#include "base/file_io.h"
#include "db/configuration_database.h"
#include "events/event_file.h"
#include "events/event_table.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace qtr::bench {
namespace {

constexpr int kHolders = 1000;

// 1000 key holders booking at one attendance unit on the working days of May 2024:
// arrival, break, back and departure, spread by up to ten minutes, until the event
// file holds 65535 events.
struct MonthData {
    ConfigurationDatabase db;
    std::vector<KeyNumber> keys;
    std::filesystem::path dir;

    MonthData() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "qtr-bench-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        dir = tmpl;
        ControlUnitRecord& u = db.units.current();
        u.address = 0x10;
        u.unitType = kUnitAttendance;
        u.usage = 1;
        db.units.append();
        std::mt19937 rng(2024);
        for (int i = 0; i < kHolders; ++i) {
            KeyNumber k;
            for (auto& b : k.bytes) {
                b = static_cast<std::uint8_t>(rng());
            }
            keys.push_back(k);
        }
        std::vector<std::uint8_t> bytes;
        const auto add = [&](const KeyNumber& key, DateTime t, int reader) {
            EventRecord e;
            e.unitAddress = 0x10;
            e.keyNumber = key;
            e.timestamp = t;
            e.eventCode = static_cast<std::uint8_t>(reader);
            bytes.resize(bytes.size() + EventRecord::kSize);
            e.toBytes(std::span(bytes).last(EventRecord::kSize));
        };
        const auto minute = [&](int base) {
            return encodeTime(0, base + static_cast<int>(rng() % 21) - 10, 0);
        };
        std::size_t count = 0;
        for (DateTime day = encodeDate(2024, 5, 1); count < EventTable::kCapacity; day += 1.0) {
            if (dayOfWeek(day) == 1 || dayOfWeek(day) == 7) {
                continue;
            }
            for (const KeyNumber& k : keys) {
                const int plan[4][2] = {
                    {7 * 60, 0}, {11 * 60 + 30, 3}, {12 * 60, 0}, {15 * 60 + 30, 4}};
                for (const auto& [at, reader] : plan) {
                    if (count++ < EventTable::kCapacity) {
                        add(k, day + minute(at), reader);
                    }
                }
            }
        }
        if (!writeFileAtomically(dir / kEventFile, bytes)) {
            throw std::runtime_error("the benchmark event file could not be written");
        }
    }
    ~MonthData() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

const MonthData& monthData() {
    static const MonthData data;
    return data;
}

void loadAttendanceEvents(EventTable& table) {
    if (!table.load(monthData().dir / kEventFile).complete ||
        table.count() != EventTable::kCapacity) {
        throw std::runtime_error("the benchmark event file did not load");
    }
    table.sort(SortKind::TimeThenKey);
    table.keepAttendance(monthData().db.units);
}

// Every card of the month; returns the minutes worked by all, so nothing is optimised away.
long long buildAndEvaluateAll(const EventTable& table) {
    const AttendanceCodeList codes = AttendanceCodeList::defaults();
    const HolidayQuery holidays = [](DateTime d) { return d == encodeDate(2024, 5, 1); };
    EvaluationResult result;
    long long minutes = 0;
    for (const KeyNumber& key : monthData().keys) {
        AttendanceCard card;
        card.applyPattern(ShiftPattern::Morning);
        card.keyNumber = key;
        card.dateFrom = encodeDate(2024, 5, 1);
        card.dateTo = encodeDate(2024, 5, 31);
        buildFromEvents(card, table);
        if (checkCard(card) &&
            evaluationGate(card, codes, holidays, card.dateFrom, card.dateTo, result)) {
            minutes += result.totalPerformanceMinutes;
        }
    }
    return minutes;
}

void BM_AttendanceEventsLoadSortSelect(benchmark::State& state) {
    EventTable table;
    for (auto _ : state) {
        loadAttendanceEvents(table);
        benchmark::DoNotOptimize(table.count());
    }
}
BENCHMARK(BM_AttendanceEventsLoadSortSelect)->Unit(benchmark::kMillisecond);

void BM_AttendanceBuildAndEvaluate1000Cards(benchmark::State& state) {
    EventTable table;
    loadAttendanceEvents(table);
    long long minutes = 0;
    for (auto _ : state) {
        minutes = buildAndEvaluateAll(table);
        benchmark::DoNotOptimize(minutes);
    }
    state.counters["cards"] = kHolders;
    // Hours of performance of all cards together: shows that the cards were evaluated.
    state.counters["hours"] = static_cast<double>(minutes) / 60.0;
}
BENCHMARK(BM_AttendanceBuildAndEvaluate1000Cards)->Unit(benchmark::kMillisecond);

// The whole job: the file read once, then all 1000 cards.
void BM_AttendanceMonthForAll(benchmark::State& state) {
    EventTable table;
    for (auto _ : state) {
        loadAttendanceEvents(table);
        benchmark::DoNotOptimize(buildAndEvaluateAll(table));
    }
}
BENCHMARK(BM_AttendanceMonthForAll)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qtr::bench
