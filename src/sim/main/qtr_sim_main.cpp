// qtr-sim: a bus of simulated control units on a pseudo-terminal or a serial
// device, with a console on standard input.

#include "base/clock.h"
#include "base/file_io.h"
#include "base/hex_text.h"
#include "comm/packet.h"
#include "db/data_files.h"
#include "sim/bus_server.h"
#include "sim/bus_state.h"
#include "sim/day_simulation.h"
#include "sim/demo_scenario.h"
#include "sim/line_endpoint.h"
#include "sim/scaled_clock.h"
#include "sim/scenario.h"
#include "sim/sim_bus.h"
#include "sim/sim_console.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>
#include <vector>

namespace qtr::sim {
namespace {

const char* const kUsage =
    "Použití: qtr-sim [PŘEPÍNAČE]\n"
    "  (bez --scenario, --dir, --units a --keys: předváděcí instalace)\n"
    "  --scenario SOUBOR   jednotky a osoby ze scénáře\n"
    "  --dir SLOŽKA        jednotky z QTR0001.DAT a osoby z QTR0002.DAT v té složce,\n"
    "                      čtečka na adrese --reader (výchozí 00), není-li obsazena\n"
    "  --units SOUBOR      jednotky ze souboru jednotek (QTR0001.DAT)\n"
    "  --keys SOUBOR       osoby ze souboru držitelů klíčů (QTR0002.DAT)\n"
    "  --reader ADR        přidá čtečku klíčů na adrese ADR\n"
    "  --device ZAŘÍZENÍ   sériové zařízení místo pseudoterminálu\n"
    "  --link CESTA        symbolický odkaz na pseudoterminál\n"
    "  --state SOUBOR      stav jednotek ze souboru při startu a do něj při konci\n"
    "                      (týž formát jako QTRSIM.TXT simulace v programu)\n"
    "  --baud 2400|9600    rychlost linky (sériové zařízení, časování odpovědí)\n"
    "  --pace              odpovědi v tempu linky (11 bitů na bajt)\n"
    "  --latency MS        zpoždění odpovědi jednotek (výchozí 10 ms)\n"
    "  --trace             každý bajt šestnáctkově na standardní chybový výstup\n"
    "  --day DNY           po startu denní režim na DNY pracovních dnů\n"
    "  --speed RYCHLOST    rychlost denního režimu (simulované sekundy za sekundu, 600)\n"
    "  --seed N            semínko náhody denního režimu\n";

struct Options {
    std::optional<std::filesystem::path> scenario;
    std::optional<std::filesystem::path> dataDir;
    std::optional<std::filesystem::path> units;
    std::optional<std::filesystem::path> keys;
    std::optional<std::uint8_t> reader;
    std::optional<std::string> device;
    std::optional<std::filesystem::path> link;
    std::optional<std::filesystem::path> state;
    std::optional<int> baud;
    std::optional<int> latency;
    bool pace = false;
    bool trace = false;
    int dayCount = 0;
    double speed = 600;
    std::uint32_t seed = 1;
};

bool parseOptions(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        auto value = [&]() { return std::string(argv[++i]); };
        try {
            if (a == "--scenario" && hasValue) {
                o.scenario = value();
            } else if (a == "--dir" && hasValue) {
                o.dataDir = value();
            } else if (a == "--units" && hasValue) {
                o.units = value();
            } else if (a == "--keys" && hasValue) {
                o.keys = value();
            } else if (a == "--reader" && hasValue) {
                const std::string v = value();
                if (v.empty() || v.size() > 2 || !isHexText(v)) {
                    error = "--reader: adresa jsou dvě šestnáctkové číslice";
                    return false;
                }
                o.reader = parseHexByte(v.size() == 1 ? "0" + v : v);
            } else if (a == "--device" && hasValue) {
                o.device = value();
            } else if (a == "--link" && hasValue) {
                o.link = value();
            } else if (a == "--state" && hasValue) {
                o.state = value();
            } else if (a == "--baud" && hasValue) {
                o.baud = std::stoi(value());
                if (*o.baud != 2400 && *o.baud != 9600) {
                    error = "--baud: 2400 nebo 9600";
                    return false;
                }
            } else if (a == "--latency" && hasValue) {
                o.latency = std::clamp(std::stoi(value()), 0, 10000);
            } else if (a == "--pace") {
                o.pace = true;
            } else if (a == "--trace") {
                o.trace = true;
            } else if (a == "--day" && hasValue) {
                o.dayCount = std::clamp(std::stoi(value()), 1, 365);
            } else if (a == "--speed" && hasValue) {
                o.speed = std::clamp(std::stod(value()), 1.0, 100000.0);
            } else if (a == "--seed" && hasValue) {
                o.seed = static_cast<std::uint32_t>(std::stoul(value()));
            } else {
                error = "Neznámý nebo neúplný přepínač: " + a;
                return false;
            }
        } catch (const std::exception&) {
            error = "Chybná hodnota přepínače " + a;
            return false;
        }
    }
    return true;
}

// A link qtr-sim may replace: one to a pseudo-terminal, which only qtr-sim makes
// (an earlier run that was killed left it). Anything else at the path is not ours.
bool isOwnLinkOrAbsent(const std::filesystem::path& link) {
    std::error_code ec;
    const auto st = std::filesystem::symlink_status(link, ec);
    if (ec || st.type() == std::filesystem::file_type::not_found) {
        return !ec || ec == std::errc::no_such_file_or_directory;
    }
    if (st.type() != std::filesystem::file_type::symlink) {
        return false;
    }
    const auto target = std::filesystem::read_symlink(link, ec);
    return !ec && target.string().starts_with("/dev/pts/");
}

bool makeLink(const std::filesystem::path& link, const std::string& device) {
    if (!isOwnLinkOrAbsent(link)) {
        std::cerr << "qtr-sim: " << link.string()
                  << " už existuje a není to odkaz, který udělal qtr-sim; nepřepíše se\n";
        return false;
    }
    std::error_code ec;
    std::filesystem::remove(link, ec);
    std::filesystem::create_symlink(device, link, ec);
    if (ec) {
        std::cerr << "qtr-sim: odkaz " << link.string() << ": " << czechErrnoText(ec.value())
                  << "\n";
        return false;
    }
    return true;
}

// At the end only the link this run made goes away, not one another run made since.
void removeOwnLink(const std::filesystem::path& link, const std::string& device) {
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, ec)) &&
        std::filesystem::read_symlink(link, ec) == device && !ec) {
        std::filesystem::remove(link, ec);
    }
}

class Simulator {
public:
    Simulator(const Options& o, const Scenario& s)
        : options_(o), scenario_(s), clock_(systemClock_), bus_(clock_), console_(bus_) {
        // Saved units first: what they stored wins over the scenario's fresh units.
        if (o.state) {
            // Temporary files of an earlier qtr-sim killed while it saved the state.
            (void)removeStaleTemporaryFiles(o.state->parent_path().empty() ? "."
                                                                           : o.state->parent_path(),
                                            o.state->filename().string());
        }
        if (o.state && isPresent(*o.state)) {
            std::string error;
            if (!loadBusState(*o.state, bus_, error)) {
                std::cerr << "qtr-sim: " << error << "\n";
                stateBroken_ = true;
            }
        }
        for (const auto& u : s.units) {
            if (bus_.unit(u.address) == nullptr) {
                bus_.addUnit(u)->setLatencyMs(s.latencyMs);
            }
        }
        if (o.latency) {
            for (auto& [address, unit] : bus_.units()) {
                unit.setLatencyMs(*o.latency);
            }
        }
        baud_ = o.baud.value_or(s.baud != 0 ? s.baud : 9600);
        pace_ = o.pace || s.baud != 0;
    }

    int run() {
        if (stateBroken_) {
            return 1; // never overwrite a state file that could not be read
        }
        std::string error;
        const bool opened = options_.device ? line_.openDevice(*options_.device, baud_, error)
                                            : line_.openPseudoTerminal(error);
        if (!opened) {
            std::cerr << "qtr-sim: " << error << "\n";
            return 1;
        }
        if (options_.link && !makeLink(*options_.link, line_.path())) {
            return 1;
        }
        std::cout << "Sběrnice: " << line_.path() << "\n"
                  << "Jednotek: " << bus_.units().size() << ", osob: " << scenario_.persons.size()
                  << (pace_ ? ", tempo linky " + std::to_string(baud_) + " Bd" : std::string())
                  << " (napoveda vypíše příkazy)\n"
                  << std::flush;
        if (options_.dayCount > 0) {
            startDays(options_.dayCount, options_.speed);
        }
        return loop();
    }

private:
    void startDays(int days, double rate) {
        day_ = std::make_unique<DaySimulation>(bus_, scenario_, options_.seed);
        std::string why;
        if (!day_->ready(why)) {
            std::cout << why << "\n" << std::flush;
            day_.reset();
            return;
        }
        daysLeft_ = days;
        clock_.setRate(rate);
        nextDay();
        std::cout << "Denní režim: pracovní dny " << days << ", rychlost " << rate << "\n"
                  << std::flush;
    }

    void nextDay() {
        day_->planNextDay();
        const DateTime gap = day_->dayStart() - day_->unitNow();
        if (gap > 0) {
            clock_.shift(gap);
        }
        std::cout << "Den " << formatDateTime("dddd dd.mm.yyyy", day_->dayStart()) << "\n"
                  << std::flush;
    }

    void stopDays(const char* why) {
        day_.reset();
        clock_.setRate(1.0);
        std::cout << why << "\n" << std::flush;
    }

    void tickDays() {
        if (!day_) {
            return;
        }
        // A clock set back by the PC (time synchronisation) would leave the day far
        // ahead: move on to it instead of waiting.
        if (!day_->dayDone() && day_->nextActionTime() - day_->unitNow() > 0.5) {
            clock_.shift(day_->nextActionTime() - day_->unitNow() - 1.0 / 1440);
        }
        for (const auto& l : day_->advance()) {
            std::cout << l << "\n";
        }
        std::cout << std::flush;
        if (day_->dayDone()) {
            if (--daysLeft_ <= 0) {
                stopDays("Denní režim skončil.");
            } else {
                nextDay();
            }
        }
    }

    void handleConsole() {
        char buf[1024];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            stdinOpen_ = false; // keep serving the bus without a console
            return;
        }
        input_.append(buf, static_cast<std::size_t>(n));
        std::size_t nl;
        while ((nl = input_.find('\n')) != std::string::npos) {
            const std::string line = input_.substr(0, nl);
            input_.erase(0, nl + 1);
            std::ostringstream out;
            const ConsoleOutcome r = console_.execute(line, out);
            std::cout << out.str();
            switch (r.kind) {
            case ConsoleOutcome::Kind::Quit:
                quit_ = true;
                break;
            case ConsoleOutcome::Kind::DayStart:
                startDays(r.days, r.rate);
                break;
            case ConsoleOutcome::Kind::DayStop:
                if (day_) {
                    stopDays("Denní režim ukončen.");
                }
                break;
            case ConsoleOutcome::Kind::Done:
                break;
            }
            std::cout << std::flush;
        }
    }

    int loop() {
        BusServer server(bus_, line_, ServerTiming{pace_, baud_});
        if (options_.trace) {
            server.setTrace(&std::cerr);
        }
        sigset_t mask;
        sigemptyset(&mask);
        sigaddset(&mask, SIGINT);
        sigaddset(&mask, SIGTERM);
        sigprocmask(SIG_BLOCK, &mask, nullptr);
        const int sigFd = signalfd(-1, &mask, SFD_NONBLOCK);
        while (!quit_) {
            double now = BusServer::steadyMs();
            double wake = server.nextWakeMs(now);
            if (day_) {
                wake = std::min(wake, now + 50.0);
            }
            pollfd fds[3] = {{server.fd(), POLLIN, 0},
                             {sigFd, POLLIN, 0},
                             {stdinOpen_ ? STDIN_FILENO : -1, POLLIN, 0}};
            const int timeout = std::max(0, static_cast<int>(wake - now + 0.999));
            if (::poll(fds, 3, timeout) < 0 && errno != EINTR) {
                std::cerr << "qtr-sim: poll selhal\n";
                return 1;
            }
            now = BusServer::steadyMs();
            if ((fds[1].revents & POLLIN) != 0) {
                quit_ = true;
            }
            if ((fds[0].revents & POLLIN) != 0) {
                if (!server.onReadable(now)) {
                    std::cerr << "qtr-sim: čtení z linky selhalo\n";
                    return 1;
                }
            } else if ((fds[0].revents & (POLLHUP | POLLERR)) != 0) {
                usleep(20000); // nobody has the port open
            }
            server.onTimer(BusServer::steadyMs());
            if ((fds[2].revents & (POLLIN | POLLHUP)) != 0) {
                handleConsole();
            }
            tickDays();
        }
        if (options_.link) {
            removeOwnLink(*options_.link, line_.path());
        }
        if (options_.state) {
            const FileResult saved = saveBusState(bus_, *options_.state);
            if (!saved.ok()) {
                std::cerr << "qtr-sim: " << saved.error() << "\n";
            }
        }
        if (sigFd >= 0) {
            ::close(sigFd);
        }
        return 0;
    }

    const Options& options_;
    const Scenario& scenario_;
    SystemClock systemClock_;
    ScaledClock clock_;
    SimBus bus_;
    SimConsole console_;
    Line line_;
    std::unique_ptr<DaySimulation> day_;
    int daysLeft_ = 0;
    int baud_ = 9600;
    bool pace_ = false;
    bool quit_ = false;
    bool stateBroken_ = false;
    bool stdinOpen_ = true;
    std::string input_;
};

} // namespace
} // namespace qtr::sim

namespace {

int runSim(int argc, char** argv) {
    using namespace qtr::sim;
    Options options;
    std::string error;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
            std::cout << kUsage;
            return 0;
        }
    }
    if (!parseOptions(argc, argv, options, error)) {
        std::cerr << "qtr-sim: " << error << "\n" << kUsage;
        return 2;
    }
    Scenario scenario;
    if (options.scenario) {
        if (!loadScenarioFile(*options.scenario, scenario, error)) {
            std::cerr << "qtr-sim: " << options.scenario->string() << ": " << error << "\n";
            return 1;
        }
    } else if (options.dataDir) {
        if (!scenarioFromDataDir(*options.dataDir, options.reader.value_or(0), scenario, error)) {
            std::cerr << "qtr-sim: " << error << "\n";
            return 1;
        }
        options.reader.reset();
    } else if (!options.units && !options.keys) {
        scenario = demoScenario(); // nothing given: the demo installation
    }
    if (options.units && qtr::isPresent(*options.units) &&
        !loadUnitsFile(*options.units, scenario, error)) {
        std::cerr << "qtr-sim: " << error << "\n";
        return 1;
    }
    // Persons of the scenario win; the key holder file fills an empty list.
    if (options.keys && qtr::isPresent(*options.keys) && scenario.persons.empty() &&
        !loadKeyHoldersFile(*options.keys, scenario, error)) {
        std::cerr << "qtr-sim: " << error << "\n";
        return 1;
    }
    if (options.reader) {
        UnitSetup reader;
        reader.address = *options.reader;
        reader.model = kModelReader;
        reader.mode = 0;
        reader.memoryCode = kNoMemory;
        reader.name = "čtečka";
        scenario.units.push_back(reader);
    }
    Simulator simulator(options, scenario);
    return simulator.run();
}

} // namespace

int main(int argc, char** argv) {
    // Every failure the simulator foresees is reported where it happens; this is for
    // what escapes (a file system call on a path of links that loops, memory).
    try {
        return runSim(argc, argv);
    } catch (const std::filesystem::filesystem_error& e) {
        std::cerr << "qtr-sim: chyba souboru " << e.path1().string() << ": "
                  << qtr::czechErrnoText(e.code().value()) << "\n";
    } catch (const std::exception& e) {
        std::cerr << "qtr-sim: neočekávaná chyba: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "qtr-sim: neočekávaná chyba\n";
    }
    return 1;
}
