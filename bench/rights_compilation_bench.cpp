// Rights compilation of the largest database: 1000 key holders, 100 permission groups of
// 32 entries, schedules of 7 segments, 32 units (224 rights per holder).
#include "unitproc/rights_compilation.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

qtr::ConfigurationDatabase largestDatabase() {
    using namespace qtr;
    ConfigurationDatabase db;
    for (int u = 1; u <= 32; ++u) {
        ControlUnitRecord& r = db.units.current();
        r = ControlUnitRecord{};
        r.address = static_cast<std::uint8_t>(u);
        r.unitType = kUnitAccess;
        r.unitName.setText("Jednotka " + std::to_string(u));
        db.units.append();
    }
    for (int s = 0; s < 100; ++s) {
        AccessScheduleRecord& r = db.schedules.current();
        r = AccessScheduleRecord{};
        r.scheduleName.setText("Rozvrh " + std::to_string(s));
        r.segmentCount = 7;
        for (int k = 0; k < 7; ++k) {
            r.segments[static_cast<std::size_t>(k)] = {makeHourMinute(6 + k, 0),
                                                       makeHourMinute(7 + k, 30),
                                                       static_cast<std::uint8_t>(1 << k)};
        }
        db.schedules.append();
    }
    for (int g = 0; g < 100; ++g) {
        PermissionGroupRecord& r = db.permissionGroups.current();
        r = PermissionGroupRecord{};
        r.name.setText("Skupina " + std::to_string(g));
        r.entryCount = 32;
        for (int e = 0; e < 32; ++e) {
            auto& entry = r.entries[static_cast<std::size_t>(e)];
            entry.unitAddress = static_cast<std::uint8_t>(e + 1);
            entry.entryAttributes = 0x0F;
            entry.scheduleName.setText("Rozvrh " + std::to_string((g + e) % 100));
        }
        db.permissionGroups.append();
    }
    for (int k = 0; k < 1000; ++k) {
        KeyHolderRecord& r = db.keyHolders.current();
        r = KeyHolderRecord::newRecord();
        r.keyNumber.bytes = {1, static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k >> 8)};
        r.holderName.setText("Osoba " + std::to_string(k));
        r.permissionGroupName.setText("Skupina " + std::to_string(k % 100));
        db.keyHolders.append();
    }
    return db;
}

void BM_CompileRights(benchmark::State& state) {
    const auto db = largestDatabase();
    std::size_t rights = 0;
    for (auto _ : state) {
        const auto out = qtr::compileRights(db, true);
        rights = out.rights.size();
        benchmark::DoNotOptimize(out);
    }
    state.counters["rights"] = static_cast<double>(rights);
}
BENCHMARK(BM_CompileRights)->Unit(benchmark::kMillisecond);

// The same, with ZMRTSW.DAT written through the atomic writer (fsync included).
void BM_CreateRightsFile(benchmark::State& state) {
    const auto db = largestDatabase();
    const auto dir =
        std::filesystem::temp_directory_path() / ("qtr-bench-rights-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    for (auto _ : state) {
        qtr::CompiledRights out;
        if (!qtr::CreateRights(db, dir, false, nullptr, out)) {
            state.SkipWithError("ZMRTSW.DAT");
        }
    }
    state.counters["bytes"] =
        static_cast<double>(std::filesystem::file_size(dir / qtr::kRightsFile));
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_CreateRightsFile)->Unit(benchmark::kMillisecond);

} // namespace
