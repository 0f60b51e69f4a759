#include "base/win1250.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/table_file.h"
#include "db/data_files.h"
#include "db/key_holder_transfer.h"
#include "db/tables.h"
#include "docs/report_text.h"

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace qtr::cli {
namespace {

constexpr const char* kKeysUsage =
    "použití: keys export SOUBOR | keys import SOUBOR [--replace] | keys list | keys "
    "from-events";

// The register as the program keeps it; false when its file cannot be loaded.
bool loadKeyHolders(CliContext& ctx, KeyHolderTable& table) {
    return loadTableIfPresent(ctx, table, kKeyHoldersFile);
}

int keysExport(CliContext& ctx) {
    if (ctx.args.size() != 2) {
        *ctx.err << kKeysUsage << "\n";
        return kExitUsage;
    }
    KeyHolderTable table;
    if (!loadKeyHolders(ctx, table)) {
        return kExitFailure;
    }
    if (FileResult r = exportKeyHolders(table, ctx.args[1]); !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    *ctx.out << "exportováno nositelů klíčů: " << table.count() << "\n";
    return kExitOk;
}

int keysImport(CliContext& ctx) {
    const bool replace = ctx.args.size() == 3 && ctx.args[2] == "--replace";
    if (ctx.args.size() != 2 && !replace) {
        *ctx.err << kKeysUsage << "\n";
        return kExitUsage;
    }
    KeyHolderTable table;
    if (!loadKeyHolders(ctx, table)) {
        return kExitFailure;
    }
    // As in the register: the whole file is checked first, and a file that cannot be
    // used changes nothing.
    KeyHolderTransferFile content;
    if (FileResult r = readKeyHolderTransferFile(ctx.args[1], content); !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    const std::filesystem::path registerFile = ctx.dir / kKeyHoldersFile;
    if (replace) {
        if (FileResult r = keepRegisterBeforeReplace(registerFile); !r) {
            *ctx.err << r.error() << "\n";
            return kExitFailure;
        }
    }
    const KeyHolderImport r = importKeyHolders(table, content, replace);
    if (FileResult saved = table.save(registerFile); !saved) {
        *ctx.err << saved.error() << "\n";
        return kExitFailure;
    }
    *ctx.out << keyHolderImportReport(r) << ", nositelů klíčů celkem: " << table.count() << "\n";
    return kExitOk;
}

int keysList(CliContext& ctx) {
    if (ctx.args.size() != 1) {
        *ctx.err << kKeysUsage << "\n";
        return kExitUsage;
    }
    KeyHolderTable table;
    if (!loadKeyHolders(ctx, table)) {
        return kExitFailure;
    }
    std::vector<std::string> lines;
    for (int i = 1; i <= table.count(); ++i) {
        const KeyHolderRecord& h = table.at(i);
        std::string l = std::to_string(i);
        l.insert(0, l.size() < 4 ? 4 - l.size() : 0, ' ');
        l += "  " + h.keyNumber.text() + "  " + padRight(h.holderName.text(), 30) + "  " +
             padRight(h.groupName.text(), 17) + "  " + h.permissionGroupName.text();
        while (!l.empty() && l.back() == ' ') {
            l.pop_back();
        }
        lines.push_back(std::move(l));
    }
    return emitLines(ctx, lines);
}

} // namespace

// The key holder register without its window: export, import and a listing.
int runKeys(CliContext& ctx) {
    if (ctx.args.empty()) {
        *ctx.err << kKeysUsage << "\n";
        return kExitUsage;
    }
    const std::string& sub = ctx.args[0];
    if (sub == "export") {
        return keysExport(ctx);
    }
    if (sub == "import") {
        return keysImport(ctx);
    }
    if (sub == "list") {
        return keysList(ctx);
    }
    if (sub == "from-events") {
        return runKeysFromEvents(ctx);
    }
    *ctx.err << "Neznámý příkaz keys " << sub << "\n" << kKeysUsage << "\n";
    return kExitUsage;
}

} // namespace qtr::cli
