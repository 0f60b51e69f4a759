#pragma once

#include "db/tables.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

// The installation's definition, held in memory for the whole run. The
// composition root owns one and hands references to whatever needs a table.
struct ConfigurationDatabase {
    ControlUnitTable units;
    ZoneTable zones;
    KeyHolderTable keyHolders;
    GroupTable groups;
    AccessScheduleTable schedules;
    PermissionGroupTable permissionGroups;
};

// Each step returns the Czech texts of the file errors it met; the steps go on
// past an error so that one bad file does not keep the others from loading.

// Program initialisation: the unit, zone, key holder and group files that do not
// exist are created empty (in this order); schedules and permission groups are
// loaded when their files exist.
std::vector<std::string> initialiseConfiguration(ConfigurationDatabase& db,
                                                 const std::filesystem::path& dir);

// The access schedules and permission groups, each loaded only when its file exists
// (part of the initialisation; a program that only reads the installation calls it
// beside loadConfiguration and so creates no file).
std::vector<std::string> loadAccessDefinitions(ConfigurationDatabase& db,
                                               const std::filesystem::path& dir);

// When the main window is first shown: units, zones (then the main zone), key
// holders and groups are loaded, each only when its file exists.
std::vector<std::string> loadConfiguration(ConfigurationDatabase& db,
                                           const std::filesystem::path& dir);

// Program exit: units, zones, key holders and groups are saved, changed or not.
std::vector<std::string> saveConfiguration(const ConfigurationDatabase& db,
                                           const std::filesystem::path& dir);

} // namespace qtr
