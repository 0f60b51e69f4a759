// The event table at its cap of 65535 events: load, the seven sorts, the
// attendance filter, one page of the history and the whole listing.

#include "bench_event_data.h"
#include "events/event_decoder.h"
#include "events/event_listing.h"
#include "events/event_table.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

namespace qtr::bench {
namespace {

void loadFull(EventTable& table) {
    const EventLoadResult r = table.load(benchData().eventFile);
    if (!r.complete || table.count() != EventTable::kCapacity) {
        throw std::runtime_error("the benchmark event file did not load");
    }
}

void BM_EventTableLoad(benchmark::State& state) {
    EventTable table;
    for (auto _ : state) {
        loadFull(table);
        benchmark::DoNotOptimize(table.count());
    }
    state.counters["table_bytes"] = static_cast<double>(EventTable::memoryBytes());
}
BENCHMARK(BM_EventTableLoad)->Unit(benchmark::kMillisecond);

// Each sort starts from the file's collection order.
void BM_EventTableSort(benchmark::State& state) {
    const auto kind = static_cast<SortKind>(state.range(0));
    EventTable table;
    for (auto _ : state) {
        state.PauseTiming();
        loadFull(table);
        state.ResumeTiming();
        table.sort(kind);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EventTableSort)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

void BM_EventTableAttendanceFilter(benchmark::State& state) {
    EventTable table;
    int kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        loadFull(table);
        state.ResumeTiming();
        kept = table.keepAttendance(benchData().db.units);
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = kept;
}
BENCHMARK(BM_EventTableAttendanceFilter)->Unit(benchmark::kMillisecond);

// What the history window does for one page: 16 rows of date, time and text,
// decoded against the tables as they are (no index).
void BM_EventHistoryPage(benchmark::State& state) {
    EventTable table;
    loadFull(table);
    table.sort(SortKind::TimeThenKey);
    const EventDecoder decoder(benchData().db);
    int cursor = 1;
    for (auto _ : state) {
        for (int row = 0; row < 16; ++row) {
            table.get(cursor + row);
            const EventRecord& e = table.current();
            std::string date = formatDateTime("dd.mm.yyyy", e.timestamp);
            std::string time = formatDateTime("hh:nn:ss", e.timestamp);
            std::string text = decoder.describe(e);
            benchmark::DoNotOptimize(date);
            benchmark::DoNotOptimize(time);
            benchmark::DoNotOptimize(text);
        }
        cursor = cursor + 16 + 16 <= table.count() ? cursor + 16 : 1;
    }
}
BENCHMARK(BM_EventHistoryPage)->Unit(benchmark::kMicrosecond);

void BM_EventListingLines(benchmark::State& state) {
    EventTable table;
    loadFull(table);
    table.sort(SortKind::TimeThenKey);
    const EventDecoder decoder(benchData().db);
    for (auto _ : state) {
        auto lines = eventListingLines(table, decoder);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_EventListingLines)->Unit(benchmark::kMillisecond);

// The listing as the work file, Windows-1250 CR LF, written and synced.
void BM_EventListingFile(benchmark::State& state) {
    EventTable table;
    loadFull(table);
    table.sort(SortKind::TimeThenKey);
    const EventDecoder decoder(benchData().db);
    const auto out = benchData().dir / "QTR_WORK.RTF";
    for (auto _ : state) {
        if (!writeEventListing(out, table, decoder)) {
            throw std::runtime_error("listing not written");
        }
    }
}
BENCHMARK(BM_EventListingFile)->Unit(benchmark::kMillisecond);

// Decoding every event: the tables scanned per event, and the indexed pass the listing uses.
void BM_DecodeAllScanning(benchmark::State& state) {
    const EventDecoder decoder(benchData().db);
    for (auto _ : state) {
        std::size_t n = 0;
        for (const auto& e : benchData().events) {
            n += decoder.decode(e).text.size();
        }
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_DecodeAllScanning)->Unit(benchmark::kMillisecond);

void BM_DecodeAllIndexed(benchmark::State& state) {
    const EventDecoder decoder(benchData().db);
    for (auto _ : state) {
        const BulkEventDecoder bulk(decoder);
        std::size_t n = 0;
        for (const auto& e : benchData().events) {
            n += bulk.decode(e).text.size();
        }
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_DecodeAllIndexed)->Unit(benchmark::kMillisecond);

// The time stamp text of every line of the listing, alone.
void BM_ListingTimeStamps(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t n = 0;
        for (const auto& e : benchData().events) {
            n += formatDateTime("dd.mm.yyyy hh:nn:ss ", e.timestamp).size();
        }
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_ListingTimeStamps)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qtr::bench
