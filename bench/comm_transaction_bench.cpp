// What one unit transaction costs on the PC: the processor time while a unit is
// silent until the answer time-out, and the time of a status transaction against a
// peer that answers at once, beyond the 50 ms silence that ends every answer.
#include "comm/serial/kommod.h"

#include <QCoreApplication>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

double processCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// A pseudo-terminal whose far end answers every status request at once (or never).
// The far end sleeps in poll() between requests, so it adds no processor time.
class InstantUnit {
public:
    explicit InstantUnit(bool answers) : answers_(answers) {
        char name[256] = {};
        openpty(&master_, &slave_, name, nullptr, nullptr);
        termios tio{};
        tcgetattr(slave_, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave_, TCSANOW, &tio);
        device_ = name;
        if (pipe(stop_) != 0) {
            std::abort();
        }
        thread_ = std::thread([this] { run(); });
    }
    ~InstantUnit() {
        const char c = 0;
        (void)!write(stop_[1], &c, 1);
        thread_.join();
        close(stop_[0]);
        close(stop_[1]);
        close(master_);
        close(slave_);
    }
    const std::string& device() const { return device_; }

private:
    void run() {
        std::uint8_t answer[31] = {0x0A, 1, 2, 0x12};
        unsigned sum = 0;
        for (int i = 0; i < 30; ++i) {
            sum += answer[i];
        }
        answer[30] = static_cast<std::uint8_t>(sum);
        std::size_t got = 0;
        for (;;) {
            pollfd p[2] = {{master_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
            poll(p, 2, -1);
            if (p[1].revents != 0) {
                return;
            }
            std::uint8_t buf[64];
            const ssize_t n = read(master_, buf, sizeof buf);
            for (ssize_t i = 0; i < n; ++i) {
                if (buf[i] == 0xAA && got == 0) {
                    continue; // the acknowledge
                }
                if (++got == 4) {
                    got = 0;
                    if (answers_) {
                        (void)!write(master_, answer, sizeof answer);
                    }
                }
            }
        }
    }

    bool answers_;
    int master_ = -1;
    int slave_ = -1;
    int stop_[2] = {-1, -1};
    std::string device_;
    std::thread thread_;
};

std::filesystem::path scratchDir() {
    auto dir = std::filesystem::temp_directory_path() / "qtr-bench-comm";
    std::filesystem::create_directories(dir);
    return dir;
}

void BM_TimeOutWait(benchmark::State& state) {
    InstantUnit unit(false);
    qtr::TKOMMOD kommod(scratchDir(), qtr::resolvePortNames({"", unit.device(), "", ""}, nullptr));
    kommod.UseComPar();
    kommod.SerialOpen();
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const double c0 = processCpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        const bool ok = kommod.CteniStavuJednotky(0x0A);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        cpu += processCpuSeconds() - c0;
        if (ok) {
            state.SkipWithError("a silent unit answered");
        }
    }
    state.counters["cpu_percent_of_core"] = 100.0 * cpu / wall;
    state.counters["cpu_ms_per_wait"] = 1000.0 * cpu / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TimeOutWait)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StatusTransaction(benchmark::State& state) {
    InstantUnit unit(true);
    qtr::TKOMMOD kommod(scratchDir(), qtr::resolvePortNames({"", unit.device(), "", ""}, nullptr));
    kommod.UseComPar();
    kommod.SerialOpen();
    double wall = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const bool ok = kommod.CteniStavuJednotky(0x0A);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (!ok) {
            state.SkipWithError(kommod.errorText.c_str());
            break;
        }
    }
    const double perTransactionMs = 1000.0 * wall / static_cast<double>(state.iterations());
    state.counters["beyond_silence_ms"] = perTransactionMs - 50.0;
    // 1 ms before and 5 ms after the address byte belong to the line discipline.
    state.counters["beyond_silence_and_gaps_ms"] = perTransactionMs - 56.0;
}
BENCHMARK(BM_StatusTransaction)->Iterations(40)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
