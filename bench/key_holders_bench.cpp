#include "db/tables.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

// A full register: 1000 holders with realistic Czech names in random order.
qtr::KeyHolderTable fullRegister() {
    static const char* first[] = {"Jan", "Petr", "Marie", "Jana", "Tomáš", "Eva", "Jiří", "Lucie"};
    static const char* last[] = {"Novák",  "Svoboda", "Dvořák", "Černý",   "Procházka", "Kučera",
                                 "Veselý", "Horák",   "Němec",  "Šťastný", "Žák",       "Říha"};
    std::mt19937 rng(7);
    qtr::KeyHolderTable t;
    for (int i = 0; i < 1000; ++i) {
        t.newRecord();
        auto& r = t.current();
        r.holderName.setText(std::string(last[rng() % 12]) + " " + first[rng() % 8] + " " +
                             std::to_string(i));
        for (auto& b : r.keyNumber.bytes) {
            b = static_cast<std::uint8_t>(rng());
        }
        r.groupName.setText("Výroba");
        t.append();
    }
    return t;
}

fs::path scratchFile() {
    return fs::temp_directory_path() / ("qtr-bench-" + std::to_string(::getpid()) + "-QTR0002.DAT");
}

void BM_LoadKeyHolders(benchmark::State& state) {
    const fs::path file = scratchFile();
    (void)fullRegister().save(file);
    qtr::KeyHolderTable t;
    for (auto _ : state) {
        (void)t.load(file);
        benchmark::DoNotOptimize(t.count());
    }
    fs::remove(file);
}
BENCHMARK(BM_LoadKeyHolders)->Unit(benchmark::kMicrosecond);

void BM_SortKeyHoldersByName(benchmark::State& state) {
    const qtr::KeyHolderTable original = fullRegister();
    for (auto _ : state) {
        state.PauseTiming();
        qtr::KeyHolderTable t = original;
        state.ResumeTiming();
        t.sort(qtr::KeyHolderOrder::ByName);
        benchmark::DoNotOptimize(t.at(1));
    }
}
BENCHMARK(BM_SortKeyHoldersByName)->Unit(benchmark::kMicrosecond);

// The save goes through the atomic writer, fsyncs included: what an operator waits for.
void BM_SaveKeyHolders(benchmark::State& state) {
    const fs::path file = scratchFile();
    const qtr::KeyHolderTable t = fullRegister();
    for (auto _ : state) {
        (void)t.save(file);
    }
    fs::remove(file);
}
BENCHMARK(BM_SaveKeyHolders)->Unit(benchmark::kMicrosecond);

} // namespace
