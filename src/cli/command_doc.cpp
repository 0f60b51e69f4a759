#include "cli/cli_output.h"
#include "cli/commands.h"
#include "db/configuration_database.h"
#include "docs/settings_documentation.h"

#include <ostream>

namespace qtr::cli {

int runDoc(CliContext& ctx) {
    const std::vector<std::string>& a = ctx.args;
    const std::string report = a.empty() ? "" : a[0];
    const bool detail = a.size() == 2 && report == "rights" && a[1] == "--detail";
    if (!(a.size() == 1 || detail) ||
        (report != "units" && report != "keys" && report != "rights")) {
        *ctx.err << "Použití: doc units|keys|rights [--detail]\n";
        return kExitUsage;
    }
    ConfigurationDatabase db;
    std::vector<std::string> errors = loadConfiguration(db, ctx.dir);
    for (auto& e : loadAccessDefinitions(db, ctx.dir)) {
        errors.push_back(std::move(e));
    }
    // A table that failed to load is documented as far as it was read; say why.
    for (const auto& e : errors) {
        *ctx.err << e << "\n";
    }
    const std::vector<std::string> lines = report == "units"  ? unitDescriptionLines(db.units)
                                           : report == "keys" ? keyListLines(db.keyHolders)
                                                              : rightsOverviewLines(db, detail);
    const int status = emitLines(ctx, lines);
    return status != kExitOk ? status : errors.empty() ? kExitOk : kExitFailure;
}

} // namespace qtr::cli
