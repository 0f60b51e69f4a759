#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qtr {

// Time of day as hour * 256 + minute.
using HourMinute = std::uint16_t;

inline constexpr HourMinute kInvalidHourMinute = 65535;

constexpr HourMinute makeHourMinute(int hour, int minute) {
    return static_cast<HourMinute>(hour * 256 + minute);
}
constexpr int hourOf(HourMinute t) {
    return t >> 8;
}
constexpr int minuteOf(HourMinute t) {
    return t & 0xFF;
}

// "hh:mm" with leading zeros.
std::string hourMinuteText(HourMinute t);

// Exactly "hh:mm" with hour 0..23 and minute 0..59; anything else gives kInvalidHourMinute.
HourMinute parseHourMinute(std::string_view text);

} // namespace qtr
