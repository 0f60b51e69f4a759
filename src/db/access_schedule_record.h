#pragma once

#include "base/hour_minute.h"
#include "base/short_string.h"

#include <array>
#include <cstdint>
#include <span>

namespace qtr {

// Weekday bits of a segment's day mask.
enum DayBit : std::uint8_t {
    kMonday = 0x40,
    kTuesday = 0x20,
    kWednesday = 0x10,
    kThursday = 0x08,
    kFriday = 0x04,
    kSaturday = 0x02,
    kSunday = 0x01,
};

struct TimeSegment {
    static constexpr std::size_t kSize = 5;

    HourMinute from = 0;
    HourMinute to = 0;
    std::uint8_t dayMask = 0;

    bool isEmpty() const { return from == to || dayMask == 0; }

    static TimeSegment fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const TimeSegment&, const TimeSegment&) = default;
};

struct AccessScheduleRecord {
    static constexpr std::size_t kSize = 54;
    static constexpr std::size_t kSegments = 7;

    ShortString<17> scheduleName;
    std::uint8_t segmentCount = 0;
    std::array<TimeSegment, kSegments> segments{};

    static AccessScheduleRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const AccessScheduleRecord&, const AccessScheduleRecord&) = default;
};

} // namespace qtr
