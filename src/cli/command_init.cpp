#include "cli/commands.h"
#include "db/configuration_database.h"
#include "db/data_files.h"

#include <ostream>

namespace qtr::cli {

// Program initialisation and exit for the configuration files: what `qtr` does to
// them between its start and its end when nobody edits anything.
int runInit(CliContext& ctx) {
    if (!ctx.args.empty()) {
        *ctx.err << "init nemá žádné parametry\n";
        return kExitUsage;
    }
    ConfigurationDatabase db;
    std::vector<std::string> errors = initialiseConfiguration(db, ctx.dir);
    const auto more = loadConfiguration(db, ctx.dir);
    errors.insert(errors.end(), more.begin(), more.end());
    const auto saved = saveConfiguration(db, ctx.dir);
    errors.insert(errors.end(), saved.begin(), saved.end());

    *ctx.out << kUnitsFile << " řídící jednotky: " << db.units.count() << "\n"
             << kZonesFile << " zóny: " << db.zones.count() << "\n"
             << kKeyHoldersFile << " nositelé klíčů: " << db.keyHolders.count() << "\n"
             << kGroupsFile << " organizační skupiny: " << db.groups.count() << "\n"
             << kSchedulesFile << " časy pro přístup: " << db.schedules.count() << "\n"
             << kPermissionGroupsFile << " skupiny oprávnění: " << db.permissionGroups.count()
             << "\n";
    for (const auto& e : errors) {
        *ctx.err << e << "\n";
    }
    return errors.empty() ? kExitOk : kExitFailure;
}

} // namespace qtr::cli
