#pragma once

#include "base/key_number.h"
#include "db/access_schedule_record.h"
#include "db/config_table.h"
#include "db/control_unit_record.h"
#include "db/group_record.h"
#include "db/key_holder_record.h"
#include "db/permission_group_record.h"
#include "db/zone_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace qtr {

class ControlUnitTable
    : public NamedConfigTable<ControlUnitRecord, 32, &ControlUnitRecord::unitName> {
public:
    int findByAddress(std::uint8_t address) const;
    bool selectByAddress(std::uint8_t address);
    int countByType(std::uint8_t unitType) const;
    // Each line: the address as two hex digits, a blank, the unit name.
    void fillAddressList(std::vector<std::string>& list) const;
};

class ZoneTable
    : public NamedConfigTable<ZoneRecord, 256, &ZoneRecord::zoneName, AppendMoves::Yes> {
public:
    // After loading: an empty table receives the main zone.
    void ensureMainZone();
};

enum class KeyHolderOrder { ByKey, ByName };

class KeyHolderTable
    : public NamedConfigTable<KeyHolderRecord, 1000, &KeyHolderRecord::holderName> {
public:
    int findByKey(const KeyNumber& key) const;
    // FindByKey, then Get: the current position does not move.
    bool selectByKey(const KeyNumber& key);
    // The holder's name, or "?" for a key nobody has.
    std::string nameOfKey(const KeyNumber& key) const;
    bool selectByName(std::string_view name);
    // The first holder whose name begins with the text, shortening the text from
    // its end until one does; with no match even for its first character the
    // current record holds record 1. An empty text changes nothing.
    void selectByNamePrefix(std::string_view text);
    void sort(KeyHolderOrder order);
    void newRecord() { current_ = KeyHolderRecord::newRecord(); }
};

class GroupTable : public NamedConfigTable<GroupRecord, 50, &GroupRecord::groupName> {
public:
    void newRecord() { current_ = GroupRecord::newRecord(); }
};

class AccessScheduleTable
    : public NamedConfigTable<AccessScheduleRecord, 100, &AccessScheduleRecord::scheduleName> {
public:
    bool selectByName(std::string_view name);
    void sortByName();
};

class PermissionGroupTable
    : public NamedConfigTable<PermissionGroupRecord, 100, &PermissionGroupRecord::name> {
public:
    // Index 1..entryCount of the current record's first entry for the unit, or 0.
    int findEntryByUnit(std::uint8_t address) const;
    // Removes entry k of the current record; fails when it has no entries.
    bool deleteEntry(int k);
};

} // namespace qtr
