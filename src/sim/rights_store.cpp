#include "sim/rights_store.h"

namespace qtr::sim {

std::uint8_t dayMaskBit(int dayOfWeek) {
    if (dayOfWeek == 0) {
        return 0x01;
    }
    if (dayOfWeek < 0 || dayOfWeek > 6) {
        return 0; // a clock that shows no date: no day of the week matches
    }
    return static_cast<std::uint8_t>(0x80 >> dayOfWeek);
}

bool rightAllows(const UnitRight& right, int dayOfWeek, HourMinute now, int objectIndex,
                 ObjectRule rule) {
    if ((right.dayMask & dayMaskBit(dayOfWeek)) == 0) {
        return false;
    }
    // HourMinute orders like the time of day (hour in the high byte).
    if (right.toTime <= right.fromTime || now < right.fromTime || now > right.toTime) {
        return false;
    }
    if (rule == ObjectRule::ObjectBits) {
        if (objectIndex < 0 || objectIndex > 7 || (right.objectMask >> objectIndex & 1) == 0) {
            return false;
        }
    }
    return true;
}

bool RightsStore::add(const UnitRight& right) {
    if (rights_.size() >= capacity_) {
        return false;
    }
    rights_.push_back(right);
    return true;
}

bool RightsStore::allows(const KeyNumber& key, int dayOfWeek, HourMinute now, int objectIndex,
                         ObjectRule rule) const {
    for (const auto& r : rights_) {
        if (r.key == key && rightAllows(r, dayOfWeek, now, objectIndex, rule)) {
            return true;
        }
    }
    return false;
}

} // namespace qtr::sim
