#pragma once

#include "base/hour_minute.h"
#include "base/key_number.h"

#include <cstdint>
#include <vector>

namespace qtr::sim {

// One access right as a unit keeps it.
struct UnitRight {
    KeyNumber key;
    HourMinute fromTime = 0;
    HourMinute toTime = 0;
    std::uint8_t dayMask = 0;    // 0x40 Monday .. 0x01 Sunday
    std::uint8_t objectMask = 0; // doors or barriers, where the unit uses it

    friend bool operator==(const UnitRight&, const UnitRight&) = default;
};

// Whether the objects of a unit are told apart by the object mask of a right.
enum class ObjectRule {
    AllObjects, // access and attendance units: a right opens every door of the unit
    ObjectBits, // door and barrier units: bit n of the mask opens object n
};

// The day-mask bit of a day of the week (0 = Sunday .. 6 = Saturday).
std::uint8_t dayMaskBit(int dayOfWeek);

// Whether one right lets its key through now. The window holds from `fromTime`
// to `toTime` inclusive, both whole minutes, so 00:00-23:59 is the whole day; a
// window whose end is not after its start allows nothing (a schedule segment
// with equal times is empty, and windows never run over midnight).
bool rightAllows(const UnitRight& right, int dayOfWeek, HourMinute now, int objectIndex,
                 ObjectRule rule);

// The rights area of a unit's memory: a list of rights of fixed capacity.
class RightsStore {
public:
    explicit RightsStore(std::size_t capacity) : capacity_(capacity) {}

    std::size_t capacity() const { return capacity_; }
    std::size_t count() const { return rights_.size(); }
    const std::vector<UnitRight>& rights() const { return rights_; }

    // False when the area is full.
    bool add(const UnitRight& right);
    void clear() { rights_.clear(); }

    // Whether any right of the key lets it through.
    bool allows(const KeyNumber& key, int dayOfWeek, HourMinute now, int objectIndex,
                ObjectRule rule) const;

private:
    std::size_t capacity_;
    std::vector<UnitRight> rights_;
};

} // namespace qtr::sim
