#include "cli/cli_main.h"

#include "app/data_directory.h"
#include "base/file_io.h"
#include "cli/commands.h"
#include "comm/port_names.h"

#include <exception>
#include <filesystem>
#include <ostream>

namespace qtr::cli {
namespace {

void printUsage(std::ostream& err) {
    err << "Použití: qtr-cli [--dir SLOŽKA] [--com1..--com4 ZAŘÍZENÍ] [--sim] [--out SOUBOR] "
           "[--pdf SOUBOR] PŘÍKAZ [PARAMETRY]\n"
           "Příkazy:\n";
    for (const auto& c : allCommands()) {
        err << "  " << c.usage << "\n";
    }
}

// Runs a command on the data directory, settled first (an interrupted key change,
// temporary files of killed saves). Whatever a command throws ends here, in Czech.
int runCommand(const CliCommand& command, CliContext& ctx) {
    try {
        for (const auto& note : openDataDirectory(ctx.dir)) {
            *ctx.err << note << "\n";
        }
        return command.run(ctx);
    } catch (const std::filesystem::filesystem_error& e) {
        *ctx.err << "Chyba souboru " << e.path1().string() << ": "
                 << czechErrnoText(e.code().value()) << "\n";
    } catch (const std::exception& e) {
        *ctx.err << "Neočekávaná chyba: " << e.what() << "\n";
    }
    return kExitFailure;
}

} // namespace

int runCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
    CliContext ctx;
    ctx.out = &out;
    ctx.err = &err;
    ctx.comDevices.resize(4);
    std::size_t i = 1;
    for (; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        const bool hasValue = i + 1 < argv.size();
        if (a == "--dir" && hasValue) {
            ctx.dir = argv[++i];
        } else if (a == "--out" && hasValue) {
            ctx.outFile = argv[++i];
        } else if (a == "--pdf" && hasValue) {
            ctx.pdfFile = argv[++i];
        } else if (const int n = comOptionNumber(a); n != 0 && hasValue) {
            ctx.comDevices[static_cast<std::size_t>(n - 1)] = argv[++i];
        } else if (a == "--sim") {
            ctx.simulatedBus = true;
        } else if (a == "--help" || a == "-h") {
            printUsage(err);
            return kExitOk;
        } else if (a.starts_with("--")) {
            err << "Neznámý nebo neúplný přepínač: " << a << "\n";
            printUsage(err);
            return kExitUsage;
        } else {
            break;
        }
    }
    if (i >= argv.size()) {
        printUsage(err);
        return kExitUsage;
    }
    const std::string& name = argv[i];
    ctx.args.assign(argv.begin() + static_cast<long>(i) + 1, argv.end());
    for (const auto& c : allCommands()) {
        if (c.name == name) {
            const int status = runCommand(c, ctx);
            if (ctx.pdfFile && !ctx.reportEmitted && status == kExitOk) {
                err << "Příkaz " << name << " nevypisuje sestavu, --pdf nelze použít.\n";
                return kExitUsage;
            }
            return status;
        }
    }
    err << "Neznámý příkaz: " << name << "\n";
    printUsage(err);
    return kExitUsage;
}

} // namespace qtr::cli
