#include "attendance/card_text.h"

#include "attendance/attendance_time.h"

namespace qtr {
namespace {

// A value read from a damaged file may be no date at all; it shows as such.
std::string format(const char* pattern, DateTime value) {
    if (value == 0.0) {
        return "";
    }
    return isCalendarValue(value) ? formatDateTime(pattern, value) : "?";
}

std::string twoDigits(int n) {
    return std::string(1, static_cast<char>('0' + n / 10 % 10)) + static_cast<char>('0' + n % 10);
}

// The time of day of a usual time, "hh:nn".
std::string clockText(DateTime value) {
    const DateTime t = timeOfDay(value);
    return isCalendarValue(t) ? formatDateTime("hh:nn", t) : "?";
}

} // namespace

std::string shiftDayText(DateTime day) {
    return format("dd.mm.yyyy ddd", day);
}

std::string cardTimeText(DateTime time) {
    return format("dd.mm. hh:nn", time);
}

std::string cardDurationText(DateTime duration) {
    if (duration == 0.0) {
        return "";
    }
    const int m = minutesOf(duration);
    if (m < 0) {
        return "?";
    }
    const std::string clock = twoDigits(m % 1440 / 60) + ":" + twoDigits(m % 60);
    return m >= 1440 ? "#" + std::to_string(m / 1440) + ":" + clock : clock;
}

std::string usualStartText(const AttendanceCard& card) {
    return "Obvykle od: " + clockText(card.usualStart);
}

std::string usualEndText(const AttendanceCard& card) {
    return "Obvykle do: " + clockText(card.usualEnd);
}

std::string fillMissingText(const AttendanceCard& card) {
    return card.fillMissing != 0 ? "doplňovat chybějící" : "chybějící nedoplňovat";
}

} // namespace qtr
