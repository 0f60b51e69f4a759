// The event file management on a full year (65535 events): the rewrites of the event
// file (under its lock, from the file on disk, with the archive), the text exchange,
// the spreadsheet form and the keys of the events.

#include "base/file_io.h"
#include "bench_event_data.h"
#include "events/event_csv.h"
#include "events/event_decoder.h"
#include "events/event_file_rewrite.h"
#include "events/event_table.h"
#include "events/event_transfer.h"
#include "events/keys_from_events.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

namespace qtr::bench {
namespace {

std::vector<std::uint8_t> yearBytes() {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(benchData().eventFile, bytes)) {
        throw std::runtime_error("the benchmark event file cannot be read");
    }
    return bytes;
}

// A scratch event file beside the benchmark's own, with the year in it.
std::filesystem::path freshEventFile(const std::vector<std::uint8_t>& bytes) {
    const auto dir = benchData().dir / "management";
    std::filesystem::create_directories(dir);
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::filesystem::remove(entry.path());
    }
    const auto file = dir / "QTR0005.DAT";
    if (!writeFileAtomically(file, bytes)) {
        throw std::runtime_error("the scratch event file cannot be written");
    }
    return file;
}

// "smazat do data" in the middle of the year, sorted as the window shows it: half the
// events go to the archive.
void BM_TrimHalfTheYear(benchmark::State& state) {
    const auto bytes = yearBytes();
    for (auto _ : state) {
        state.PauseTiming();
        const auto file = freshEventFile(bytes);
        state.ResumeTiming();
        const EventFileRewrite r = trimEventFile(file, encodeDate(2024, 7, 1),
                                                 encodeDate(2024, 12, 31), SortKind::TimeThenKey);
        if (!r.result) {
            throw std::runtime_error(r.result.error());
        }
        state.counters["archived"] = static_cast<double>(r.archived);
    }
}
BENCHMARK(BM_TrimHalfTheYear)->Unit(benchmark::kMillisecond);

// "events merge" of the year into itself: every record is matched, nothing added.
void BM_MergeTheYearIntoItself(benchmark::State& state) {
    const auto bytes = yearBytes();
    const auto file = freshEventFile(bytes);
    for (auto _ : state) {
        const EventFileRewrite r = appendToEventFile(file, bytes, true);
        if (!r.result || r.added != 0) {
            throw std::runtime_error("the merge added something");
        }
    }
}
BENCHMARK(BM_MergeTheYearIntoItself)->Unit(benchmark::kMillisecond);

void BM_ExportAndImportTheYear(benchmark::State& state) {
    const auto bytes = yearBytes();
    const auto sdf = benchData().dir / "UDALOSTI.SDF";
    EventTable table;
    for (auto _ : state) {
        if (!exportEvents(bytes, sdf).result) {
            throw std::runtime_error("export failed");
        }
        const EventImport r = importEvents(table, sdf, true);
        if (!r.result || r.added != EventTable::kCapacity) {
            throw std::runtime_error("import failed");
        }
    }
}
BENCHMARK(BM_ExportAndImportTheYear)->Unit(benchmark::kMillisecond);

void BM_CsvOfTheYear(benchmark::State& state) {
    EventTable table;
    (void)table.load(benchData().eventFile);
    const EventDecoder decoder(benchData().db);
    for (auto _ : state) {
        const auto text = eventCsvText(eventCsvLines(table, decoder), "\r\n");
        benchmark::DoNotOptimize(text.data());
        state.counters["bytes"] = static_cast<double>(text.size());
    }
}
BENCHMARK(BM_CsvOfTheYear)->Unit(benchmark::kMillisecond);

void BM_KeysFromTheYear(benchmark::State& state) {
    const auto bytes = yearBytes();
    for (auto _ : state) {
        state.PauseTiming();
        KeyHolderTable holders;
        for (int i = 0; i < 500; ++i) {
            holders.current() = benchData().db.keyHolders.at(i + 1);
            holders.append();
        }
        state.ResumeTiming();
        const KeysFromEvents r = addKeysFromEvents(holders, bytes);
        benchmark::DoNotOptimize(r.added);
    }
}
BENCHMARK(BM_KeysFromTheYear)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qtr::bench
