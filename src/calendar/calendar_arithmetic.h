#pragma once

#include "base/date_time.h"

#include <string>

namespace qtr {

// The years the calendars work with: the Easter rule holds for these only.
inline constexpr int kFirstCalendarYear = 1900;
inline constexpr int kLastCalendarYear = 2099;

// The calendars' leap rule: every fourth year, except centuries not divisible by
// 400, and except every 4000th year.
bool isCalendarLeapYear(int year);
int calendarDaysInMonth(int year, int month);
int calendarDaysInYear(int year);

// Sunday = 0 ... Saturday = 6.
int weekdayOf(DateTime date);
// Monday = 1 ... Sunday = 7.
int isoWeekdayOf(DateTime date);
inline bool isWeekend(DateTime date) {
    const int d = weekdayOf(date);
    return d == 0 || d == 6;
}

struct MonthDay {
    int month = 0;
    int day = 0;
    friend bool operator==(const MonthDay&, const MonthDay&) = default;
};

// Easter Monday of a year 1900..2099.
MonthDay easterMonday(int year);

// Whether a stored day count is a date the formatting routines can show (a
// damaged file may hold any eight bytes).
bool isShowableDate(DateTime date);

// "dd.mm.yyyy ddd" (Czech weekday abbreviation); question marks for a date that
// cannot be shown.
std::string holidayDateText(DateTime date);

// The year of a showable date; 0 for any other.
int yearOfDate(DateTime date);

} // namespace qtr
