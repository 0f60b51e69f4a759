#include "access/permission_entries.h"

#include "base/hex_text.h"
#include "db/tables.h"

#include <algorithm>

namespace qtr {

std::optional<int> keyKindIndex(std::uint8_t attributes) {
    for (std::size_t i = 0; i < kKeyKinds.size(); ++i) {
        if ((attributes & kKeyKindMask) == kKeyKinds[i].bits) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

int entryObjectCount(std::uint8_t unitType) {
    switch (unitType) {
    case kUnitDoor:
        return 4;
    case kUnitBarrier:
        return 2;
    default:
        return 0;
    }
}

namespace {

std::string objectNames(const ControlUnitRecord& unit, std::uint8_t attributes, int objects,
                        std::string text) {
    for (int b = 0; b < objects; ++b) {
        if ((attributes & (1u << b)) != 0) {
            if (!text.empty()) {
                text += ", ";
            }
            text += unit.inputNames[static_cast<std::size_t>(b)].text();
        }
    }
    return text;
}

} // namespace

std::string entryAttributeText(const ControlUnitRecord* unit, std::uint8_t attributes) {
    if (unit == nullptr) {
        return "?";
    }
    switch (unit->unitType) {
    case kUnitAccess:
        return "všechny dveře";
    case kUnitAttendance:
        return unit->usage != 0 ? "řídí dveře" : "žádné dveře";
    case kUnitDoor: {
        const std::string doors = objectNames(*unit, attributes, 4, "");
        return doors.empty() ? "žádné dveře" : doors;
    }
    case kUnitBarrier: {
        const std::optional<int> kind = keyKindIndex(attributes);
        const std::string kindText =
            kind ? std::string(kKeyKinds[static_cast<std::size_t>(*kind)].name) : "neznámý";
        return (attributes & 0x03) == 0 ? kindText + ", žádná závora"
                                        : objectNames(*unit, attributes, 2, kindText);
    }
    default:
        return "?";
    }
}

std::string entryTabText(const ControlUnitTable& units, std::uint8_t address) {
    const int i = units.findByAddress(address);
    return i == 0 ? "?-" + hexByteText(address)
                  : hexByteText(address) + " " + units.at(i).unitName.text();
}

std::uint8_t builtAttributes(std::uint8_t unitType, std::uint8_t oldAttributes,
                             const std::array<bool, 4>& objects, std::optional<int> keyKind) {
    const int n = entryObjectCount(unitType);
    if (n == 0) {
        return oldAttributes;
    }
    std::uint8_t attributes = 0;
    for (int b = 0; b < n; ++b) {
        attributes |= objects[static_cast<std::size_t>(b)] ? static_cast<std::uint8_t>(1u << b) : 0;
    }
    if (unitType == kUnitBarrier) {
        attributes |= keyKind && *keyKind >= 0 && *keyKind < static_cast<int>(kKeyKinds.size())
                          ? kKeyKinds[static_cast<std::size_t>(*keyKind)].bits
                          : static_cast<std::uint8_t>(oldAttributes & kKeyKindMask);
    }
    return attributes;
}

int usedEntries(const PermissionGroupRecord& group) {
    return std::min<int>(group.entryCount, PermissionGroupRecord::kEntries);
}

bool canAddEntry(const PermissionGroupRecord& group, int unitCount) {
    const int n = usedEntries(group);
    return n < static_cast<int>(PermissionGroupRecord::kEntries) && n < unitCount;
}

bool entryPropertiesEditable(const ControlUnitRecord* unit) {
    return unit != nullptr && unit->unitType != kUnitAccess && unit->unitType != kUnitAttendance;
}

std::optional<int> addEntryForUnit(PermissionGroupTable& groups, std::uint8_t address) {
    PermissionGroupRecord& group = groups.current();
    const int n = usedEntries(group);
    if (groups.findEntryByUnit(address) != 0 ||
        n >= static_cast<int>(PermissionGroupRecord::kEntries)) {
        return std::nullopt;
    }
    PermissionEntry& entry = group.entries[static_cast<std::size_t>(n)];
    entry = PermissionEntry{};
    entry.unitAddress = address;
    group.entryCount = static_cast<std::uint8_t>(n + 1);
    return n + 1;
}

std::optional<std::string> checkPermissionGroup(const PermissionGroupTable& groups,
                                                const PermissionGroupRecord& group,
                                                int ownPosition) {
    if (group.name.empty()) {
        return "Záznam musí mít název!";
    }
    if (group.entryCount == 0) {
        return "Záznam nesmí být prázdný!";
    }
    if (groups.nameTakenByAnother(group.name.text(), ownPosition)) {
        return "Takový název existuje!";
    }
    return std::nullopt;
}

} // namespace qtr
