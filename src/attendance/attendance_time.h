#pragma once

#include "base/date_time.h"

#include <string>

namespace qtr {

// True for a day-count value a date can be made of (1 January 1 .. 31 December 9999);
// values read from a damaged file may be anything, and are never decoded.
bool isCalendarValue(DateTime value);

// The day of a value (its whole part) and its time of day (its fraction).
inline DateTime dayOf(DateTime value) {
    return datePart(value);
}
inline DateTime timeOfDay(DateTime value) {
    return timePart(value);
}

// The time of day of a value in whole milliseconds, 0..86400000 (a fraction that
// rounds up to a whole day gives 86400000). Times of day are compared this way, as the
// same clock time can differ in its last bits after different day parts.
long long millisecondsOfDay(DateTime value);

// The minutes of a value: hours * 60 + minutes of its time of day once the value has
// been rounded to whole milliseconds (the seconds left over are dropped, not rounded),
// plus whole days * 1440 when the value is one day or more. A negative value gives the
// negative minutes of its magnitude; anything that is no number gives 0.
int minutesOf(DateTime value);

// Day of month 1..31 of a calendar value.
int dayOfMonth(DateTime value);

// A number of minutes as hours and minutes: sign, whole hours without padding, ":",
// two digits of minutes ("8:00", "160:30", "-0:30").
std::string hoursMinutesText(int minutes);

} // namespace qtr
