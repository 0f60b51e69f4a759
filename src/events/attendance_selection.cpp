#include "events/attendance_selection.h"

#include "db/tables.h"

namespace qtr {

UnitsByAddress::UnitsByAddress(const ControlUnitTable& units) {
    // Backwards, so that the first unit of an address is the one left.
    for (int i = units.count(); i >= 1; --i) {
        units_[units.at(i).address] = &units.at(i);
    }
}

std::optional<std::uint8_t> attendanceCode(std::uint8_t eventCode, const ControlUnitRecord* unit) {
    const int s = eventCode & 0x0F;
    const int r = eventCode >> 4 & 0x03;
    if (s >= 8 || unit == nullptr) {
        return std::nullopt;
    }
    switch (unit->unitType) {
    case kUnitAttendance:
        if (unit->usage == 0 || r == 1 || s > 5) {
            return std::nullopt;
        }
        if (unit->relayMask != 0 && r == 2) {
            return std::nullopt;
        }
        return eventCode;
    case kUnitAccess:
    case kUnitDoor:
    case kUnitBarrier: {
        const int door = unit->unitType == kUnitBarrier ? eventCode / 2 % 2 : s / 2;
        if ((unit->usage >> door & 1) == 0 || r == 1 || r == 2) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(s % 2 == 0 ? 0 : 4);
    }
    default:
        return std::nullopt;
    }
}

bool attendanceSelection(EventRecord& event, const ControlUnitTable& units) {
    const int i = units.findByAddress(event.unitAddress);
    const auto code = attendanceCode(event.eventCode, i == 0 ? nullptr : &units.at(i));
    if (code) {
        event.eventCode = *code;
    }
    return code.has_value();
}

} // namespace qtr
