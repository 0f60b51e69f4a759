#include "attendance/attendance_time.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qtr {
namespace {

constexpr double kMsPerDay = 86400000.0;
constexpr double kLongestDuration = 1000000.0;

} // namespace

bool isCalendarValue(DateTime value) {
    return value >= kFirstValidDateTime && value < kEndOfValidDateTimes;
}

long long millisecondsOfDay(DateTime value) {
    return std::isfinite(value) ? std::llround(timeOfDay(value) * kMsPerDay) : 0;
}

int minutesOf(DateTime value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value < 0) {
        return -minutesOf(-value);
    }
    // A million days is no duration of this program; the bound keeps the minutes an int.
    const double v = std::min(value, kLongestDuration);
    const double days = std::trunc(v);
    const long long ms = std::llround((v - days) * kMsPerDay);
    return static_cast<int>(days) * 1440 + static_cast<int>(ms / 60000);
}

int dayOfMonth(DateTime value) {
    return isCalendarValue(value) ? decodeDateTime(value).day : 0;
}

std::string hoursMinutesText(int minutes) {
    const long long m = std::llabs(static_cast<long long>(minutes));
    const long long mm = m % 60;
    std::string text = minutes < 0 ? "-" : "";
    text += std::to_string(m / 60);
    text += ':';
    text += static_cast<char>('0' + mm / 10);
    text += static_cast<char>('0' + mm % 10);
    return text;
}

} // namespace qtr
