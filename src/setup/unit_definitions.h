#pragma once

#include "db/control_unit_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qtr {
class ControlUnitTable;
}

// What the unit editor knows about unit types, independent of its window.
namespace qtr::setup {

// The type names are the database's, shared with the settings documentation.
using qtr::unitTypeName;

// The four types the type dialog offers, in its order.
inline constexpr std::array<std::uint8_t, 4> kKnownUnitTypes = {kUnitAccess, kUnitAttendance,
                                                                kUnitDoor, kUnitBarrier};

// Which fields a type text ("01".."04") enables, and the label shown while it is
// typed. Any other text has none: the enabling stays as it was.
struct TypeEnabling {
    std::string_view typingLabel;
    bool alarm = false;
    bool relay = false;
    std::array<bool, ControlUnitRecord::kObjects> objects{};
};
std::optional<TypeEnabling> enablingForTypeText(std::string_view typeText);

// The standard description of a unit of the record's type: masks, parameters,
// result texts, reader and input names and the unit name. The address, type,
// usage and objects stay as they are.
void applyStandardDescription(ControlUnitRecord& unit);

inline constexpr std::array<std::string_view, 4> kDefaultResultTexts = {"povoleno", "neoprávněný",
                                                                        "neotevřeno", "nezavřeno"};

// Barrier kinds of the barrier parameters.
struct BarrierKind {
    std::uint8_t code;
    std::string_view name;
};
inline constexpr std::array<BarrierKind, 4> kBarrierKinds = {{{0x00, "relé"},
                                                              {0x01, "relé s bariérou"},
                                                              {0x10, "inteligentní - START"},
                                                              {0x11, "inteligentní - START/STOP"}}};
// The kind's name, "???" for a code not in the list.
std::string_view barrierKindName(std::uint8_t code);

// Parameter bytes of the property dialogs.
inline constexpr int kDoorTimeMin = 1;
inline constexpr int kDoorTimeMax = 15;
inline constexpr int kSecondsMin = 1;
inline constexpr int kSecondsMax = 100;
inline constexpr std::size_t doorOpeningByte(std::size_t door) {
    return 1 + 2 * door;
}
inline constexpr std::size_t doorWaitingByte(std::size_t door) {
    return 2 + 2 * door;
}
inline constexpr std::size_t barrierKindByte(std::size_t barrier) {
    return 1 + barrier;
}
inline constexpr std::size_t barrierOpeningByte(std::size_t barrier) {
    return 3 + barrier;
}
inline constexpr std::size_t barrierWaitingByte(std::size_t barrier) {
    return 5 + barrier;
}

// The 16 parameter bytes as 32 hex digits.
std::string parametersText(const std::array<std::uint8_t, 16>& parameters);

// "%3.3d,%3.3d": 12 and 345 give "012,345".
std::string coordinatesText(std::int32_t x, std::int32_t y);

// The usage dialog of a type: its title and how many boxes it shows (labelled
// with the input names, or "Aktivní" for an attendance unit); no dialog for a
// type it does not know.
struct UsageLayout {
    std::string_view title;
    int boxes = 0;
    bool attendance = false;
};
std::optional<UsageLayout> usageLayoutForType(std::uint8_t unitType);

// The record check before a unit is stored. `position` is the unit's own
// position in update mode, 0 in insert mode. Nothing when it passes, else the
// message for the operator.
//
// The type check runs only for an address no unit has yet: units of other
// types that already stand in a file (the usage dialog knows types 8 and 9)
// stay editable.
std::optional<std::string> checkUnitRecord(const ControlUnitTable& units,
                                           const ControlUnitRecord& unit, int position);

} // namespace qtr::setup
