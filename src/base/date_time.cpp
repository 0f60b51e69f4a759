#include "base/date_time.h"

#include <array>
#include <cmath>
#include <optional>

namespace qtr {
namespace {

constexpr double kMsPerDay = 86400000.0;

// 30 December 1899 counted from 1 January of year 1 as day 1.
constexpr long long kEpochOffset = 693594;

long long daysBeforeYear(long long y) {
    return y * 365 + y / 4 - y / 100 + y / 400;
}

constexpr std::array<std::string_view, 8> kDayNames = {"",        "pondělí", "úterý",  "středa",
                                                       "čtvrtek", "pátek",   "sobota", "neděle"};
constexpr std::array<std::string_view, 8> kDayAbbrev = {"",   "po", "út", "st",
                                                        "čt", "pá", "so", "ne"};
constexpr std::array<std::string_view, 13> kMonthNames = {
    "",         "leden", "únor", "březen", "duben",    "květen",  "červen",
    "červenec", "srpen", "září", "říjen",  "listopad", "prosinec"};
constexpr std::array<std::string_view, 13> kMonthAbbrev = {
    "", "led", "úno", "bře", "dub", "kvě", "čvn", "čvc", "srp", "zář", "říj", "lis", "pro"};

// Decimal digits with leading zeros up to `width`; listings format many thousands of
// time stamps, so this avoids printf.
void appendNumber(std::string& out, int value, int width) {
    char buf[12];
    int n = 0;
    unsigned v = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        buf[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n < width) {
        buf[n++] = '0';
    }
    if (value < 0) {
        out.push_back('-');
    }
    while (n > 0) {
        out.push_back(buf[--n]);
    }
}

// Whole day and milliseconds of the day, rounded to the millisecond; nothing for a
// value outside the valid range (checked before any conversion to an integer).
struct DayAndMs {
    long long day;
    long long ms;
};

std::optional<DayAndMs> splitDateTime(DateTime value) {
    if (!std::isfinite(value) || value <= kFirstValidDateTime - 1 ||
        value >= kEndOfValidDateTimes) {
        return std::nullopt;
    }
    // Before the epoch the date part counts back and the fraction still runs forward.
    DayAndMs s{static_cast<long long>(std::trunc(value)), 0};
    s.ms = std::llround(std::fabs(value - static_cast<double>(s.day)) * kMsPerDay);
    if (s.ms >= static_cast<long long>(kMsPerDay)) {
        s.ms -= static_cast<long long>(kMsPerDay);
        s.day += value < 0 ? -1 : 1;
    }
    if (s.day < static_cast<long long>(kFirstValidDateTime) ||
        s.day >= static_cast<long long>(kEndOfValidDateTimes)) {
        return std::nullopt;
    }
    return s;
}

// How many characters a token prints for a valid value, names counted as one.
std::size_t unknownWidth(char token, std::size_t run) {
    switch (token) {
    case 'd':
    case 'm':
        return run >= 3 ? 1 : run;
    case 'y':
        return run >= 3 ? 4 : 2;
    case 'z':
        return run >= 3 ? 3 : 1;
    default: // h n s
        return run >= 2 ? 2 : 1;
    }
}

int isoDay(DateTime value) {
    const int d = dayOfWeek(value); // 1 = Sunday
    return d == 1 ? 7 : d - 1;
}

} // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

bool isValidTime(int hour, int minute, int second, int millisecond) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
           millisecond >= 0 && millisecond < 1000;
}

DateTime encodeDate(int year, int month, int day) {
    long long days = daysBeforeYear(year - 1);
    for (int m = 1; m < month; ++m) {
        days += daysInMonth(year, m);
    }
    days += day;
    return static_cast<double>(days - kEpochOffset);
}

DateTime encodeTime(int hour, int minute, int second, int millisecond) {
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / kMsPerDay;
}

DateTime encodeDateTime(const CivilDateTime& c) {
    // Before the epoch the date part counts back and the time still runs forward, as
    // decodeDateTime reads it: 31.12.1000 23:08 is -328352 - 0.96.
    const DateTime date = encodeDate(c.year, c.month, c.day);
    const DateTime time = encodeTime(c.hour, c.minute, c.second, c.millisecond);
    return date < 0 ? date - time : date + time;
}

bool isValidDateTime(DateTime value) {
    return splitDateTime(value).has_value();
}

CivilDateTime decodeDateTime(DateTime value) {
    const auto split = splitDateTime(value);
    if (!split) {
        return {};
    }
    const long long day = split->day;
    const long long ms = split->ms;
    CivilDateTime c;
    // Civil date from the day number (days since 1 January of year 1, that day = 0).
    long long n = day + kEpochOffset - 1;
    long long y = (n * 400) / 146097; // a close estimate, corrected below
    while (daysBeforeYear(y) > n) {
        --y;
    }
    while (daysBeforeYear(y + 1) <= n) {
        ++y;
    }
    long long dayOfYear = n - daysBeforeYear(y);
    c.year = static_cast<int>(y + 1);
    int month = 1;
    while (month < 12 && dayOfYear >= daysInMonth(c.year, month)) {
        dayOfYear -= daysInMonth(c.year, month);
        ++month;
    }
    c.month = month;
    c.day = static_cast<int>(dayOfYear + 1);
    c.hour = static_cast<int>(ms / 3600000);
    c.minute = static_cast<int>(ms / 60000 % 60);
    c.second = static_cast<int>(ms / 1000 % 60);
    c.millisecond = static_cast<int>(ms % 1000);
    return c;
}

DateTime datePart(DateTime value) {
    return std::trunc(value);
}
DateTime timePart(DateTime value) {
    return std::fabs(value - std::trunc(value));
}

int dayOfWeek(DateTime value) {
    const auto split = splitDateTime(value);
    if (!split) {
        return 0;
    }
    // 30 December 1899 was a Saturday. The day as rounded for display.
    const long long day = split->day;
    long long r = (day + 6) % 7; // 0 = Sunday
    if (r < 0) {
        r += 7;
    }
    return static_cast<int>(r + 1);
}

std::string_view czechDayName(int d) {
    return d >= 1 && d <= 7 ? kDayNames[d] : "";
}
std::string_view czechDayAbbreviation(int d) {
    return d >= 1 && d <= 7 ? kDayAbbrev[d] : "";
}
std::string_view czechMonthName(int m) {
    return m >= 1 && m <= 12 ? kMonthNames[m] : "";
}
std::string_view czechMonthAbbreviation(int m) {
    return m >= 1 && m <= 12 ? kMonthAbbrev[m] : "";
}

std::string formatDateTime(std::string_view pattern, DateTime value) {
    const bool valid = isValidDateTime(value);
    const CivilDateTime c = decodeDateTime(value);
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char ch = pattern[i];
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == ch) {
            ++run;
        }
        if (!valid && std::string_view("dmyhnsz").find(ch) != std::string_view::npos) {
            out.append(unknownWidth(ch, run), '?');
            i += run;
            continue;
        }
        switch (ch) {
        case 'd':
            if (run >= 4) {
                out += czechDayName(isoDay(value));
            } else if (run == 3) {
                out += czechDayAbbreviation(isoDay(value));
            } else {
                appendNumber(out, c.day, static_cast<int>(run));
            }
            break;
        case 'm':
            if (run >= 4) {
                out += czechMonthName(c.month);
            } else if (run == 3) {
                out += czechMonthAbbreviation(c.month);
            } else {
                appendNumber(out, c.month, static_cast<int>(run));
            }
            break;
        case 'y':
            if (run >= 3) {
                appendNumber(out, c.year, 4);
            } else {
                appendNumber(out, c.year % 100, 2);
            }
            break;
        case 'h':
            appendNumber(out, c.hour, run >= 2 ? 2 : 1);
            break;
        case 'n':
            appendNumber(out, c.minute, run >= 2 ? 2 : 1);
            break;
        case 's':
            appendNumber(out, c.second, run >= 2 ? 2 : 1);
            break;
        case 'z':
            appendNumber(out, c.millisecond, run >= 3 ? 3 : 1);
            break;
        case '"':
        case '\'': {
            const std::size_t end = pattern.find(ch, i + 1);
            const std::size_t stop = end == std::string_view::npos ? pattern.size() : end;
            out += pattern.substr(i + 1, stop - i - 1);
            i = stop == pattern.size() ? stop : stop + 1;
            continue;
        }
        default:
            out.append(run, ch);
            break;
        }
        i += run;
    }
    return out;
}

bool parseDateTime(std::string_view text, DateTime& out) {
    int d = 0, mo = 0, y = 0, h = 0, mi = 0, s = 0;
    std::size_t i = 0;
    const auto number = [&](int maxDigits, int& value) {
        std::size_t start = i;
        value = 0;
        while (i < text.size() && i - start < static_cast<std::size_t>(maxDigits) &&
               text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + (text[i] - '0');
            ++i;
        }
        return i > start;
    };
    const auto expect = [&](char c) {
        if (i < text.size() && text[i] == c) {
            ++i;
            return true;
        }
        return false;
    };
    if (!number(2, d) || !expect('.') || !number(2, mo) || !expect('.')) {
        return false;
    }
    const std::size_t yearStart = i;
    if (!number(4, y) || i - yearStart != 4) {
        return false;
    }
    if (i < text.size()) {
        if (!expect(' ') || !number(2, h) || !expect(':') || !number(2, mi)) {
            return false;
        }
        if (i < text.size() && (!expect(':') || !number(2, s))) {
            return false;
        }
        if (i != text.size()) {
            return false;
        }
    }
    if (!isValidDate(y, mo, d) || !isValidTime(h, mi, s)) {
        return false;
    }
    out = encodeDateTime({y, mo, d, h, mi, s, 0});
    return true;
}

} // namespace qtr
