#include "cli/cli_main.h"

#include "cli/commands.h"
#include "comm/port_names.h"

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
            const int status = c.run(ctx);
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
