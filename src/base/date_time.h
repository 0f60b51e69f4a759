#pragma once

#include <string>
#include <string_view>

namespace qtr {

// Day-count date-time: whole days since 30 December 1899 plus the fraction of
// the day. This is the form of every stored time stamp of the program.
using DateTime = double;

struct CivilDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isValidDate(int year, int month, int day);
bool isValidTime(int hour, int minute, int second, int millisecond = 0);

// Whole day count of a valid civil date (no validation here: check isValidDate).
DateTime encodeDate(int year, int month, int day);
// Fraction of the day.
DateTime encodeTime(int hour, int minute, int second, int millisecond = 0);
// Date and time; before the epoch the time is counted away from it (see decodeDateTime).
DateTime encodeDateTime(const CivilDateTime& c);

// A date-time is valid from 1 January 0001 00:00 up to, not including, 1 January 10000:
// a stored time stamp may hold any double (NaN, infinities, 1e18), and every routine
// below takes it without overflow or hang.
inline constexpr DateTime kFirstValidDateTime = -693593.0;  // 01.01.0001
inline constexpr DateTime kEndOfValidDateTimes = 2958466.0; // 01.01.10000
bool isValidDateTime(DateTime value);

// Rounded to the millisecond; a fraction that rounds up to a whole day moves to the next day.
// A value that is not valid gives the default (30.12.1899 00:00); check isValidDateTime.
CivilDateTime decodeDateTime(DateTime value);

// Whole days (the date part) and the time of day.
DateTime datePart(DateTime value);
DateTime timePart(DateTime value);

// 1 = Sunday, 2 = Monday, ... 7 = Saturday; 0 for a value that is not valid.
int dayOfWeek(DateTime value);

// Czech names: index 1 = Monday .. 7 = Sunday for days, 1..12 for months.
std::string_view czechDayName(int isoDay);
std::string_view czechDayAbbreviation(int isoDay);
std::string_view czechMonthName(int month);
std::string_view czechMonthAbbreviation(int month);

// Formats by a pattern of the tokens d dd ddd dddd (day, with Czech names),
// m mm mmm mmmm (month), yy yyyy, h hh, n nn (minute), s ss, z zzz; text in
// double or single quotes and every other character is copied as it stands.
// Example: "dd.mm.yyyy hh:nn:ss", "dd.mm.yyyy dddd hh:nn".
// A value that is not valid prints every token as question marks of its width
// ("??.??.???? ??:??:??"), so a listing shows the bad record and goes on.
std::string formatDateTime(std::string_view pattern, DateTime value);

// Parses "dd.mm.yyyy", "dd.mm.yyyy hh:nn" or "dd.mm.yyyy hh:nn:ss" (one or two
// digit day, month, hour); false for anything else or an impossible date.
bool parseDateTime(std::string_view text, DateTime& out);

} // namespace qtr
