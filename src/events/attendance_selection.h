#pragma once

#include "db/control_unit_record.h"
#include "events/event_record.h"

#include <array>
#include <cstdint>
#include <optional>

namespace qtr {

class ControlUnitTable;

// The first unit of the table for each bus address (what FindByAddress finds),
// for work over many events. It points into the table: make it anew after the
// unit table changed.
class UnitsByAddress {
public:
    explicit UnitsByAddress(const ControlUnitTable& units);
    const ControlUnitRecord* find(std::uint8_t address) const { return units_[address]; }

private:
    std::array<const ControlUnitRecord*, 256> units_{};
};

// AttendanceSelection for one event of a unit (nullptr: no such unit): the event
// code the event keeps as an attendance booking, or nothing when it is none.
//   attendance unit: not when passive (usage 0), refused (result 1) or from
//     reader 6 or 7; with a relay (relayMask not 0) not when unopened (result 2)
//     either; the code stays.
//   access, door unit: only readers of a door marked in usage (bit reader div 2),
//   barrier unit: only readers of a barrier marked in usage (bit (code div 2) mod 2);
//     not for results 1 and 2; the code becomes 0 ("Příchod") for an even
//     reader and 4 ("Odchod") for an odd one.
//   input events and other unit types: never.
std::optional<std::uint8_t> attendanceCode(std::uint8_t eventCode, const ControlUnitRecord* unit);

// AttendanceSelection of one record: true when it is kept, its code rewritten.
bool attendanceSelection(EventRecord& event, const ControlUnitTable& units);

} // namespace qtr
