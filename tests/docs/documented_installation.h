#pragma once

#include "db/configuration_database.h"
#include "db/data_files.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace qtr::test {

// A small installation with one unit of each type, schedules, permission groups
// that are sound and groups that are not, and seven key holders: the data every
// documentation test describes.
inline ControlUnitRecord unit(std::uint8_t address, std::uint8_t type, const char* name,
                              std::uint8_t usage) {
    ControlUnitRecord u;
    u.address = address;
    u.unitType = type;
    u.usage = usage;
    u.unitName.setText(name);
    const char* results[] = {"povoleno", "neoprávněný", "neotevřeno", "nezavřeno"};
    for (std::size_t i = 0; i < 4; ++i) {
        u.resultTexts[i].setText(results[i]);
    }
    for (std::size_t i = 0; i < 8; ++i) {
        u.inputNames[i].setText((type == kUnitBarrier ? "Závora " : "Dveře ") + std::to_string(i));
    }
    return u;
}

inline AccessScheduleRecord schedule(const char* name, std::vector<TimeSegment> segments) {
    AccessScheduleRecord s;
    s.scheduleName.setText(name);
    s.segmentCount = static_cast<std::uint8_t>(segments.size());
    std::copy(segments.begin(), segments.end(), s.segments.begin());
    return s;
}

inline PermissionGroupRecord
permissionGroup(const char* name,
                std::vector<std::tuple<std::uint8_t, std::uint8_t, const char*>> entries) {
    PermissionGroupRecord g;
    g.name.setText(name);
    g.entryCount = static_cast<std::uint8_t>(entries.size());
    for (std::size_t k = 0; k < entries.size(); ++k) {
        g.entries[k].unitAddress = std::get<0>(entries[k]);
        g.entries[k].entryAttributes = std::get<1>(entries[k]);
        g.entries[k].scheduleName.setText(std::get<2>(entries[k]));
    }
    return g;
}

inline KeyHolderRecord holder(const char* key, const char* name, const char* group,
                              const char* permissions) {
    KeyHolderRecord h = KeyHolderRecord::newRecord();
    h.keyNumber = KeyNumber::parse(key);
    h.holderName.setText(name);
    h.groupName.setText(group);
    h.permissionGroupName.setText(permissions);
    return h;
}

template <typename Table, typename Record> void put(Table& table, const Record& record) {
    table.current() = record;
    table.append();
}

inline ConfigurationDatabase documentedInstallation() {
    constexpr auto hm = makeHourMinute;
    ConfigurationDatabase db;
    put(db.units, unit(0x01, kUnitAccess, "Hlavní vchod", 0));
    put(db.units, unit(0x0A, kUnitAttendance, "Docházka", 1));
    put(db.units, unit(0x10, kUnitDoor, "Kanceláře", 0x0F));
    put(db.units, unit(0x20, kUnitBarrier, "Parkoviště", 0));
    put(db.schedules, schedule("Pracovní doba", {{hm(7, 0), hm(15, 30), 0x7C}}));
    put(db.schedules,
        schedule("Víkend", {{hm(8, 0), hm(12, 0), 0x03}, {hm(13, 0), hm(14, 0), 0x02}}));
    put(db.permissionGroups, permissionGroup("Kancelář", {{0x01, 0x00, "Pracovní doba"},
                                                          {0x10, 0x05, "Víkend"},
                                                          {0x20, 0x0D, "Pracovní doba"}}));
    put(db.permissionGroups,
        permissionGroup("Vadná",
                        {{0x01, 0x00, "Víkend"}, {0x55, 0x00, "Víkend"}, {0x10, 0x01, "Víkend"}}));
    put(db.permissionGroups, permissionGroup("Bez času", {{0x01, 0x00, "Zrušený"}}));
    put(db.permissionGroups, permissionGroup("Prázdná", {}));
    put(db.keyHolders, holder("01000000001001", "Jan Novák", "Výroba", "Kancelář"));
    put(db.keyHolders, holder("01000000001002", "Eva Malá", "", ""));
    put(db.keyHolders, holder("01000000001003", "Petr Dlouhý", "Sklad", "Neexistuje"));
    put(db.keyHolders, holder("01000000001004", "Vadný Záznam", "", "Vadná"));
    put(db.keyHolders, holder("01000000001005", "Bez Času", "", "Bez času"));
    put(db.keyHolders, holder("01000000001006", "Prázdný", "", "Prázdná"));
    put(db.keyHolders,
        holder("0100000000ABCD", "Žofie Přívětivá-Šťastná Dlouhá", "Údržba a opravy", ""));
    return db;
}

// The files a program reads the installation from; true when all were written.
inline bool saveInstallation(const ConfigurationDatabase& db, const std::filesystem::path& dir) {
    return saveConfiguration(db, dir).empty() && db.schedules.save(dir / kSchedulesFile).ok() &&
           db.permissionGroups.save(dir / kPermissionGroupsFile).ok();
}

} // namespace qtr::test
