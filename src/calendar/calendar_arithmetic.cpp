#include "calendar/calendar_arithmetic.h"

#include <cmath>

namespace qtr {

bool isCalendarLeapYear(int year) {
    if (year % 4000 == 0) {
        return false;
    }
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int calendarDaysInMonth(int year, int month) {
    if (month == 2) {
        return isCalendarLeapYear(year) ? 29 : 28;
    }
    return daysInMonth(year, month);
}

int calendarDaysInYear(int year) {
    return isCalendarLeapYear(year) ? 366 : 365;
}

int weekdayOf(DateTime date) {
    return dayOfWeek(date) - 1;
}

int isoWeekdayOf(DateTime date) {
    const int d = weekdayOf(date);
    return d == 0 ? 7 : d;
}

MonthDay easterMonday(int year) {
    const int a = (204 - 11 * (year % 19)) % 30;
    const int d = a + 21 > 48 ? a + 20 : a + 21;
    const int e = (year + year / 4 + d + 1) % 7;
    const int q = d + 7 - e; // Easter Sunday, 1 March = 1
    if (q < 31) {
        return {3, q + 1};
    }
    return {4, q - 30};
}

bool isShowableDate(DateTime date) {
    static const DateTime first = encodeDate(1, 1, 1);
    static const DateTime last = encodeDate(9999, 12, 31);
    return std::isfinite(date) && date >= first && date < last + 1.0;
}

std::string holidayDateText(DateTime date) {
    if (!isShowableDate(date)) {
        return "??.??.???? ???";
    }
    return formatDateTime("dd.mm.yyyy ddd", date);
}

int yearOfDate(DateTime date) {
    return isShowableDate(date) ? decodeDateTime(date).year : 0;
}

} // namespace qtr
