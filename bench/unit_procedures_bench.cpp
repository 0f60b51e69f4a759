// The full configuration and data collection over the serial module on a pseudo-terminal
// against qtr-sim's bus server answering at the pace of a 9600 Bd line, each as a ratio to
// its wire limit: what the same exchanges need on the line at least (11 bits a byte, the
// 1 ms and 5 ms gaps around the address byte, the unit's latency, the 50 ms of silence that
// end an answer, the acknowledge byte). Also the processor time of the program's thread
// during the collection. Has its own main.
#include "base/clock.h"
#include "comm/serial/kommod.h"
#include "events/event_file.h"
#include "sim/served_bus.h"
#include "unitproc/data_collection.h"
#include "unitproc/full_configuration.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <unistd.h>

namespace {

using namespace qtr;

constexpr double kByteMs = 11.0 * 1000.0 / 9600.0;
constexpr int kLatencyMs = 10;

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Line time of one transaction: request, gaps, latency, answer, silence, acknowledge.
double wireMs(std::size_t requestBytes, std::size_t answerBytes, bool data) {
    return static_cast<double>(requestBytes) * kByteMs + 6.0 + kLatencyMs +
           static_cast<double>(answerBytes) * kByteMs + 50.0 + (data ? kByteMs : 0.0);
}

// The simulator paces its own bytes only: on a pseudo-terminal the PC's request arrives at
// once. "ratio_pty" compares with the limit less the request bytes' time.
double requestMs(std::size_t requestBytes) {
    return static_cast<double>(requestBytes) * kByteMs;
}

class Setup {
public:
    Setup()
        : dir_(std::filesystem::temp_directory_path() / ("qtr-bench-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(dir_);
        for (std::uint8_t a = 1; a <= 4; ++a) {
            simBus_.addUnit({a, sim::kModelVkr8, sim::kModeAccess, 3, "J"})
                ->setLatencyMs(kLatencyMs);
            ControlUnitRecord& u = db_.units.current();
            u = ControlUnitRecord{};
            u.address = a;
            u.unitType = kUnitAccess;
            u.parameters[0] = 0x51;
            u.unitName.setText("Jednotka " + std::to_string(a));
            db_.units.append();
        }
        served_ = std::make_unique<sim::test::ServedBus>(simBus_, sim::ServerTiming{true, 9600});
        kommod_ = std::make_unique<TKOMMOD>(
            dir_, resolvePortNames({"", served_->path(), "", ""},
                                   [](const char*) -> char* { return nullptr; }));
        kommod_->UseComPar();
        kommod_->SerialOpen();
    }
    ~Setup() {
        kommod_.reset();
        served_.reset();
        std::filesystem::remove_all(dir_);
    }

    std::vector<RightRecord> rights(int n) const {
        std::vector<RightRecord> out;
        for (int i = 0; i < n; ++i) {
            RightRecord r;
            r.keyNumber.bytes = {1, static_cast<std::uint8_t>(i),
                                 static_cast<std::uint8_t>(i >> 8)};
            r.fromTime = makeHourMinute(6, 0);
            r.toTime = makeHourMinute(18, 0);
            r.dayMask = 0x7C;
            r.unitAddress = static_cast<std::uint8_t>(1 + i % 4);
            r.objectMask = 0x0F;
            out.push_back(r);
        }
        return out;
    }

    void presentKeys(int perUnit) {
        served_->withBus([&](sim::SimBus& bus) {
            for (auto& [a, u] : bus.units()) {
                for (int i = 0; i < perUnit; ++i) {
                    KeyNumber k;
                    k.bytes = {2, static_cast<std::uint8_t>(i), a};
                    u.presentKey(0, k, bus.now() + i / 86400.0);
                }
            }
        });
    }

    TKOMMOD& bus() { return *kommod_; }
    const ConfigurationDatabase& db() const { return db_; }
    const std::filesystem::path& dir() const { return dir_; }

private:
    std::filesystem::path dir_;
    SystemClock clock_;
    sim::SimBus simBus_{clock_};
    ConfigurationDatabase db_;
    std::unique_ptr<sim::test::ServedBus> served_;
    std::unique_ptr<TKOMMOD> kommod_;
};

void BM_FullConfiguration4Units200Rights(benchmark::State& state) {
    Setup s;
    const auto rights = s.rights(200);
    // configure, reset; rights; lock, clock, alarm mask (a status read before each configure)
    double limit = 4 * (wireMs(4, 31, true) + wireMs(20, 1, false) + wireMs(4, 1, false)) +
                   200 * wireMs(17, 1, false) +
                   4 * (wireMs(4, 1, false) + wireMs(11, 1, false) + wireMs(5, 1, false));
    const double requests = 4 * (requestMs(4) + requestMs(20) + requestMs(4)) +
                            200 * requestMs(17) + 4 * (requestMs(4) + requestMs(11) + requestMs(5));
    SystemClock clock;
    for (auto _ : state) {
        LogLines log;
        CollectionStore events(s.dir() / kEventFile);
        const auto t0 = std::chrono::steady_clock::now();
        const auto r = UplneNastaveni(s.bus(), s.db(), rights, clock, events, log);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        if (r.errorFlag) {
            state.SkipWithError("a step failed");
        }
        state.SetIterationTime(ms / 1000.0);
        state.counters["wire_limit_ms"] = limit;
        state.counters["ratio"] = ms / limit;
        state.counters["ratio_pty"] = ms / (limit - requests);
    }
}
BENCHMARK(BM_FullConfiguration4Units200Rights)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

void BM_Collection500Events(benchmark::State& state) {
    Setup s;
    SystemClock clock;
    {
        LogLines log;
        CollectionStore events(s.dir() / kEventFile);
        UplneNastaveni(s.bus(), s.db(), {}, clock, events, log);
    }
    for (auto _ : state) {
        s.presentKeys(125);
        // per unit: a status read, 125 events and the empty answer that ends them
        const double limit = 4 * (wireMs(4, 31, true) + 126 * wireMs(4, 19, true));
        LogLines log;
        CollectionStore store(s.dir() / kEventFile);
        const double cpu0 = threadCpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        const auto r = SberDatVsechny(s.bus(), s.db().units, store, log);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        const double cpu = threadCpuSeconds() - cpu0;
        if (r.eventsStored != 500) {
            state.SkipWithError("not 500 events");
        }
        state.SetIterationTime(ms / 1000.0);
        state.counters["wire_limit_ms"] = limit;
        state.counters["ratio"] = ms / limit;
        state.counters["ratio_pty"] = ms / (limit - 4 * 127 * requestMs(3 + 1));
        state.counters["cpu_percent"] = 100.0 * cpu * 1000.0 / ms;
    }
}
BENCHMARK(BM_Collection500Events)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
