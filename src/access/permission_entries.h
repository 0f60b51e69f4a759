#pragma once

#include "db/control_unit_record.h"
#include "db/permission_group_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qtr {
class ControlUnitTable;
class PermissionGroupTable;

// What a permission entry means and how the permission-group editor changes one.

// Key kinds of a barrier entry (bits 2-3 of its attributes), in the order of the
// radio group; 0x08 has no name.
inline constexpr std::uint8_t kKeyKindMask = 0x0C;
struct KeyKind {
    std::uint8_t bits;
    std::string_view name;
};
inline constexpr std::array<KeyKind, 3> kKeyKinds = {
    {{0x00, "samostatný klíč"}, {0x04, "klíč zaměstnance"}, {0x0C, "klíč vozidla"}}};
// Index into kKeyKinds of the attributes' key kind; nothing for 0x08.
std::optional<int> keyKindIndex(std::uint8_t attributes);

// How many objects (doors or barriers) an entry of the unit's type can name: four
// for a door unit, two for a barrier unit, none for the other types.
int entryObjectCount(std::uint8_t unitType);

// The read-only "Kam:" text: where an entry lets its keys pass. `unit` is the
// entry's unit, or null when no unit has its address ("?").
std::string entryAttributeText(const ControlUnitRecord* unit, std::uint8_t attributes);

// The tab of an entry: "0A Vrátnice", or "?-0A" when no unit has the address.
std::string entryTabText(const ControlUnitTable& units, std::uint8_t address);

// The attributes the properties dialog builds: one bit per object box checked
// and, for a barrier unit, the key kind chosen (none chosen keeps the old kind).
// Types without objects keep their attributes.
std::uint8_t builtAttributes(std::uint8_t unitType, std::uint8_t oldAttributes,
                             const std::array<bool, 4>& objects, std::optional<int> keyKind);

// The entries in use; a count above 32 (a foreign file) is read as 32.
int usedEntries(const PermissionGroupRecord& group);

// Whether "přidat objekty jednotky" may add one more entry: room in the group and
// a unit not named yet, as far as the count of units goes.
bool canAddEntry(const PermissionGroupRecord& group, int unitCount);

// Whether the entry's properties can be changed: its unit exists and has objects
// to choose from (not an access or attendance unit).
bool entryPropertiesEditable(const ControlUnitRecord* unit);

// Appends to the current group of the table a new entry for the unit: the entry's
// number, or nothing when the group names that unit already or is full.
std::optional<int> addEntryForUnit(PermissionGroupTable& groups, std::uint8_t address);
inline constexpr std::string_view kUnitAlreadyUsed = "Taková jednotka je již použita!";
inline constexpr std::string_view kUnknownUnit = "Neznámá jednotka!";

// The check before a permission group is stored; `ownPosition` is its position
// when it is changed, 0 when it is new.
std::optional<std::string> checkPermissionGroup(const PermissionGroupTable& groups,
                                                const PermissionGroupRecord& group,
                                                int ownPosition);

} // namespace qtr
