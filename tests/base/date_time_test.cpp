#include "base/clock.h"
#include "base/date_time.h"

#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace qtr {
namespace {

TEST(DateTime, DayCountsFromThirtiethOfDecember1899) {
    EXPECT_EQ(encodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(encodeDate(1899, 12, 31), 1.0);
    EXPECT_EQ(encodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(encodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(encodeDate(2001, 12, 31), 37256.0);
    EXPECT_EQ(encodeDate(1899, 12, 29), -1.0);
}

TEST(DateTime, DecodesWhatItEncodesAcrossLeapYearsAndCenturies) {
    for (int y : {1900, 1999, 2000, 2001, 2004, 2024, 2100}) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= daysInMonth(y, m); ++d) {
                const CivilDateTime c =
                    decodeDateTime(encodeDate(y, m, d) + encodeTime(13, 45, 7, 250));
                ASSERT_EQ(c.year, y);
                ASSERT_EQ(c.month, m);
                ASSERT_EQ(c.day, d);
                ASSERT_EQ(c.hour, 13);
                ASSERT_EQ(c.minute, 45);
                ASSERT_EQ(c.second, 7);
                ASSERT_EQ(c.millisecond, 250);
            }
        }
    }
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
}

TEST(DateTime, AFractionThatRoundsToAWholeDayMovesToTheNextDay) {
    const CivilDateTime c = decodeDateTime(encodeDate(2001, 12, 31) + 0.99999999999);
    EXPECT_EQ(c.year, 2002);
    EXPECT_EQ(c.month, 1);
    EXPECT_EQ(c.day, 1);
    EXPECT_EQ(c.hour, 0);
}

TEST(DateTime, DayOfWeekOneIsSunday) {
    EXPECT_EQ(dayOfWeek(encodeDate(1899, 12, 30)), 7); // Saturday
    EXPECT_EQ(dayOfWeek(encodeDate(2001, 12, 31)), 2); // Monday
    EXPECT_EQ(dayOfWeek(encodeDate(2026, 12, 6)), 1);  // Sunday
    EXPECT_EQ(dayOfWeek(encodeDate(1899, 12, 24)), 1);
    // Before the epoch the fraction still counts forward from the (truncated) day.
    EXPECT_EQ(dayOfWeek(-5.5), 2); // 25.12.1899 12:00, a Monday
}

TEST(DateTime, FormatsWithCzechNames) {
    const DateTime t = encodeDate(2001, 12, 31) + encodeTime(23, 59, 58);
    EXPECT_EQ(formatDateTime("dd.mm.yyyy hh:nn:ss", t), "31.12.2001 23:59:58");
    EXPECT_EQ(formatDateTime("dd.mm.yyyy dddd hh:nn", t), "31.12.2001 pondělí 23:59");
    EXPECT_EQ(formatDateTime("dd.mm.yyyy ddd", t), "31.12.2001 po");
    EXPECT_EQ(formatDateTime("d. mmmm yy", encodeDate(2026, 3, 5)), "5. březen 26");
    EXPECT_EQ(formatDateTime("dd.mm.", encodeDate(2026, 3, 5)), "05.03.");
    EXPECT_EQ(formatDateTime("\"den\" dddd", encodeDate(2026, 12, 6)), "den neděle");
    EXPECT_EQ(formatDateTime("hh:nn", 0.75), "18:00");
}

TEST(DateTime, NamesOfEveryDayAndMonth) {
    const char* days[] = {"pondělí", "úterý", "středa", "čtvrtek", "pátek", "sobota", "neděle"};
    const char* abbrev[] = {"po", "út", "st", "čt", "pá", "so", "ne"};
    for (int i = 0; i < 7; ++i) {
        const DateTime monday = encodeDate(2026, 12, 7);
        EXPECT_EQ(formatDateTime("dddd", monday + i), days[i]);
        EXPECT_EQ(formatDateTime("ddd", monday + i), abbrev[i]);
    }
    const char* months[] = {"leden",    "únor",  "březen", "duben", "květen",   "červen",
                            "červenec", "srpen", "září",   "říjen", "listopad", "prosinec"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(formatDateTime("mmmm", encodeDate(2026, m, 1)), months[m - 1]);
    }
}

TEST(DateTime, ParsesTheProgramsDateTimeText) {
    DateTime t = 0;
    ASSERT_TRUE(parseDateTime("31.12.2001 23:59:58", t));
    EXPECT_EQ(formatDateTime("dd.mm.yyyy hh:nn:ss", t), "31.12.2001 23:59:58");
    ASSERT_TRUE(parseDateTime("1.2.2026", t));
    EXPECT_EQ(t, encodeDate(2026, 2, 1));
    ASSERT_TRUE(parseDateTime("01.02.2026 07:05", t));
    EXPECT_EQ(formatDateTime("hh:nn:ss", t), "07:05:00");
    // Before 1899 too the text comes back as it was parsed (the time runs forward).
    ASSERT_TRUE(parseDateTime("31.12.1000 23:08", t));
    EXPECT_EQ(formatDateTime("dd.mm.yyyy hh:nn:ss", t), "31.12.1000 23:08:00");
    EXPECT_EQ(dayOfWeek(t), dayOfWeek(encodeDate(1000, 12, 31)));
    for (const char* bad :
         {"31.02.2026", "1.13.2026", "01.01.26", "01.01.2026 24:00", "01.01.2026 10:00:", "x"}) {
        EXPECT_FALSE(parseDateTime(bad, t)) << bad;
    }
}

// A stored time stamp may be any double: out of range is shown, never a hang or an overflow.
TEST(DateTime, EveryDoubleFormatsAndOutOfRangeShowsAsQuestionMarks) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        const char* text; // "dd.mm.yyyy hh:nn:ss"
        int weekday;
    } cases[] = {
        {std::numeric_limits<double>::quiet_NaN(), "??.??.???? ??:??:??", 0},
        {inf, "??.??.???? ??:??:??", 0},
        {-inf, "??.??.???? ??:??:??", 0},
        {1e18, "??.??.???? ??:??:??", 0},
        {-1e18, "??.??.???? ??:??:??", 0},
        {std::numeric_limits<double>::max(), "??.??.???? ??:??:??", 0},
        {std::numeric_limits<double>::lowest(), "??.??.???? ??:??:??", 0},
        {kEndOfValidDateTimes, "??.??.???? ??:??:??", 0},
        {kEndOfValidDateTimes - 1e-10, "??.??.???? ??:??:??", 0}, // rounds into year 10000
        {kEndOfValidDateTimes - 0.5 / 86400, "31.12.9999 23:59:59", 6},
        {kFirstValidDateTime, "01.01.0001 00:00:00", 2},
        {kFirstValidDateTime - 0.5, "01.01.0001 12:00:00", 2}, // the fraction runs forward
        {kFirstValidDateTime - 1, "??.??.???? ??:??:??", 0},
        {std::numeric_limits<double>::denorm_min(), "30.12.1899 00:00:00", 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDateTime("dd.mm.yyyy hh:nn:ss", c.value), c.text) << c.value;
        EXPECT_EQ(dayOfWeek(c.value), c.weekday) << c.value;
        EXPECT_EQ(isValidDateTime(c.value), c.weekday != 0) << c.value;
    }
    EXPECT_EQ(formatDateTime("d.m.yy dddd mmmm h:n:s.zzz \"x\"", inf), "?.?.?? ? ? ?:?:?.??? x");
    const CivilDateTime c = decodeDateTime(-inf);
    EXPECT_EQ(std::tie(c.year, c.month, c.day, c.hour), std::make_tuple(1899, 12, 30, 0));
}

TEST(Clock, ManualClockIsWhatTestsSet) {
    ManualClock c(encodeDate(2026, 12, 9));
    c.advanceSeconds(90);
    EXPECT_EQ(formatDateTime("dd.mm.yyyy hh:nn:ss", c.now()), "09.12.2026 00:01:30");
    SystemClock s;
    EXPECT_GT(s.now(), encodeDate(2020, 1, 1));
}

} // namespace
} // namespace qtr
