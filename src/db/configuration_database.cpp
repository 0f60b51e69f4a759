#include "db/configuration_database.h"

#include "base/file_io.h"
#include "db/data_files.h"

namespace qtr {
namespace fs = std::filesystem;

namespace {

void note(std::vector<std::string>& errors, const FileResult& r) {
    if (!r.ok()) {
        errors.push_back(r.error());
    }
}

template <typename Table>
void createIfMissing(const Table& table, const fs::path& file, std::vector<std::string>& errors) {
    if (!isPresent(file)) {
        note(errors, table.save(file));
    }
}

template <typename Table>
void loadIfPresent(Table& table, const fs::path& file, std::vector<std::string>& errors) {
    if (isPresent(file)) {
        note(errors, table.load(file));
    }
}

} // namespace

std::vector<std::string> initialiseConfiguration(ConfigurationDatabase& db, const fs::path& dir) {
    std::vector<std::string> errors;
    db.units.clear();
    db.zones.clear();
    db.keyHolders.clear();
    db.groups.clear();
    db.schedules.clear();
    db.permissionGroups.clear();
    createIfMissing(db.units, dir / kUnitsFile, errors);
    createIfMissing(db.zones, dir / kZonesFile, errors);
    createIfMissing(db.keyHolders, dir / kKeyHoldersFile, errors);
    createIfMissing(db.groups, dir / kGroupsFile, errors);
    for (auto& e : loadAccessDefinitions(db, dir)) {
        errors.push_back(std::move(e));
    }
    return errors;
}

std::vector<std::string> loadAccessDefinitions(ConfigurationDatabase& db, const fs::path& dir) {
    std::vector<std::string> errors;
    loadIfPresent(db.schedules, dir / kSchedulesFile, errors);
    loadIfPresent(db.permissionGroups, dir / kPermissionGroupsFile, errors);
    return errors;
}

std::vector<std::string> loadConfiguration(ConfigurationDatabase& db, const fs::path& dir) {
    std::vector<std::string> errors;
    loadIfPresent(db.units, dir / kUnitsFile, errors);
    loadIfPresent(db.zones, dir / kZonesFile, errors);
    db.zones.ensureMainZone();
    loadIfPresent(db.keyHolders, dir / kKeyHoldersFile, errors);
    loadIfPresent(db.groups, dir / kGroupsFile, errors);
    return errors;
}

std::vector<std::string> saveConfiguration(const ConfigurationDatabase& db, const fs::path& dir) {
    std::vector<std::string> errors;
    note(errors, db.units.save(dir / kUnitsFile));
    note(errors, db.zones.save(dir / kZonesFile));
    note(errors, db.keyHolders.save(dir / kKeyHoldersFile));
    note(errors, db.groups.save(dir / kGroupsFile));
    return errors;
}

} // namespace qtr
