// qtr-cli sim: the console of the simulated units, on the units a data directory
// keeps for the in-process bus (--sim).

#include "cli/commands.h"
#include "sim/data_dir_simulation.h"
#include "sim/sim_console.h"

#include <ostream>
#include <sstream>

namespace qtr::cli {

int runSim(CliContext& ctx) {
    if (ctx.args.empty()) {
        *ctx.err << "sim očekává příkaz simulovaných jednotek (sim napoveda vypíše příkazy)\n";
        return kExitUsage;
    }
    std::string line;
    for (const auto& a : ctx.args) {
        line += (line.empty() ? "" : " ") + a;
    }
    sim::DataDirSimulation simulation(ctx.dir);
    if (!simulation.ok()) {
        *ctx.err << simulation.error() << "\n";
        return kExitFailure;
    }
    sim::SimConsole console(simulation.bus());
    std::ostringstream text;
    const sim::ConsoleOutcome r = console.execute(line, text);
    if (r.refused) {
        *ctx.err << text.str();
        return kExitFailure;
    }
    *ctx.out << text.str();
    switch (r.kind) {
    case sim::ConsoleOutcome::Kind::DayStart: {
        std::vector<std::string> lines;
        std::string why;
        if (!simulation.simulatePastDays(r.days, lines, why)) {
            *ctx.err << why << "\n";
            return kExitFailure;
        }
        for (const auto& l : lines) {
            *ctx.out << l << "\n";
        }
        break;
    }
    case sim::ConsoleOutcome::Kind::Quit:
    case sim::ConsoleOutcome::Kind::DayStop:
        *ctx.err << "Příkaz " << line << " má smysl jen v qtr-sim.\n";
        return kExitUsage;
    case sim::ConsoleOutcome::Kind::Done:
        break;
    }
    const FileResult saved = simulation.save();
    if (!saved.ok()) {
        *ctx.err << saved.error() << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace qtr::cli
