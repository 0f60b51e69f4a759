#include "base/win1250.h"
#include "calendar/calendar_arithmetic.h"
#include "calendar/calendar_reports.h"
#include "calendar/planning.h"
#include "calendar/standard_fill.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

DateTime date(int y, int m, int d) {
    return encodeDate(y, m, d);
}

// The Czech public holidays of a year: the fixed ones and the two around Easter.
HolidayTable czechHolidays(int year, int goodFridayMonth, int goodFridayDay) {
    HolidayTable t;
    const std::vector<std::pair<int, int>> fixed = {{1, 1},   {5, 1},   {5, 8},   {7, 5},
                                                    {7, 6},   {9, 28},  {10, 28}, {11, 17},
                                                    {12, 24}, {12, 25}, {12, 26}};
    for (const auto& [m, d] : fixed) {
        HolidayRecord h;
        h.holidayDate = date(year, m, d);
        (void)t.TryStore(h);
    }
    for (const MonthDay md : {easterMonday(year), MonthDay{goodFridayMonth, goodFridayDay}}) {
        HolidayRecord h;
        h.holidayDate = date(year, md.month, md.day);
        (void)t.TryStore(h);
    }
    HolidayRecord otherYear;
    otherYear.holidayDate = date(year + 1, 1, 2);
    (void)t.TryStore(otherYear);
    return t;
}

std::string counts(const DayCounts& c) {
    return std::to_string(c.working) + "/" + std::to_string(c.free) + "/" +
           std::to_string(c.holiday);
}

std::string period(const PlanningPeriod& p) {
    return formatDateTime("dd.mm.", p.from) + "-" + formatDateTime("dd.mm.", p.to) + " " +
           counts(p.counts);
}

TEST(PlanningArithmetic, WeeksDecadesQuartersAndDayClasses) {
    const std::vector<std::tuple<DateTime, int, int>> weeks = {
        {date(2018, 1, 1), 1, 1},     {date(2018, 1, 7), 1, 1}, // starts on a Monday
        {date(2018, 1, 8), 2, 2},     {date(2018, 12, 31), 53, 53},
        {date(2023, 1, 1), 1, 1},     {date(2023, 1, 2), 2, 2},     // starts on a Sunday
        {date(2021, 1, 3), 1, 1},     {date(2021, 1, 4), 2, 2},     // starts on a Friday
        {date(2012, 12, 30), 53, 53}, {date(2012, 12, 31), 54, 53}, // leap, starts on a Sunday
    };
    for (const auto& [d, week, planned] : weeks) {
        EXPECT_EQ(weekOfYear(d), week) << formatDateTime("dd.mm.yyyy", d);
        EXPECT_EQ(planningWeekOf(d), planned) << formatDateTime("dd.mm.yyyy", d);
    }
    for (const auto& [n, decade] : std::vector<std::pair<int, int>>{
             {1, 1}, {10, 1}, {11, 2}, {360, 36}, {361, 37}, {365, 37}, {366, 37}}) {
        EXPECT_EQ(decadeOfDayOfYear(n), decade) << n;
    }
    EXPECT_EQ(dayOfYear(date(2024, 12, 31)), 366);
    std::string quarters;
    for (int m = 1; m <= 12; ++m) {
        quarters += std::to_string(quarterOfMonth(m));
    }
    EXPECT_EQ(quarters, "111222333444");

    // kind, date (2024-07-05 Friday, 2024-07-06 Saturday, 2024-07-07 Sunday)
    const std::vector<std::tuple<std::uint8_t, DateTime, PlannedDay>> classes = {
        {kWorkingDay, date(2024, 7, 5), PlannedDay::Working},
        {kHolidayDay, date(2024, 7, 5), PlannedDay::Holiday},
        {kHolidayDay, date(2024, 7, 6), PlannedDay::Free},
        {kHolidayDay, date(2024, 7, 7), PlannedDay::Free},
        {kWeekendDay, date(2024, 7, 6), PlannedDay::Free},
    };
    for (const auto& [kind, d, planned] : classes) {
        EXPECT_EQ(classifyDay(kind, d), planned) << int(kind);
    }
}

// Counted by hand from a wall calendar: 2024 has 104 weekend days and ten
// holidays on weekdays (6.7., 28.9. and 17.11. fall on a weekend); 2023 has 105
// weekend days and ten holidays on weekdays.
TEST(ComputePlanning, YearsCountedByHand) {
    PlanningTable p;
    DayTypeTable types;
    ComputePlanning(p, types, 2024, czechHolidays(2024, 3, 29));
    EXPECT_EQ(p.year, 2024);
    EXPECT_EQ(types.year, 2024);
    EXPECT_EQ(counts(p.yearTotals), "252/104/10");
    EXPECT_EQ(counts(p.quarters[0]), "63/26/2");
    EXPECT_EQ(counts(p.months[11]), "19/9/3");
    EXPECT_EQ(counts(p.months[6]), "22/8/1"); // 6 July, a holiday on a Saturday, is free
    EXPECT_EQ(period(p.weeks[0]), "01.01.-07.01. 4/2/1");
    EXPECT_EQ(period(p.weeks[51]), "23.12.-29.12. 2/2/3");
    EXPECT_EQ(period(p.weeks[52]), "30.12.-31.12. 2/0/0");
    EXPECT_EQ(period(p.decades[0]), "01.01.-10.01. 7/2/1");
    EXPECT_EQ(period(p.decades[36]), "26.12.-31.12. 3/2/1"); // six days in a leap year

    ComputePlanning(p, types, 2023, czechHolidays(2023, 4, 7));
    EXPECT_EQ(counts(p.yearTotals), "250/105/10");
    EXPECT_EQ(period(p.weeks[0]), "01.01.-01.01. 0/1/0"); // a year that starts on a Sunday
    EXPECT_EQ(period(p.decades[36]), "27.12.-31.12. 3/2/0");
    DayCounts sum;
    for (const auto& w : p.weeks) {
        sum.working = static_cast<std::uint16_t>(sum.working + w.counts.working);
    }
    EXPECT_EQ(sum.working, 250);
}

TEST(ComputePlanning, TheLastDayOfALeapYearThatBeginsOnASundayIsInWeek53) {
    PlanningTable p;
    DayTypeTable types;
    ComputePlanning(p, types, 2012, HolidayTable{});
    EXPECT_EQ(period(p.weeks[52]), "24.12.-31.12. 6/2/0");
    int days = 0;
    for (const auto& w : p.weeks) {
        days += w.counts.working + w.counts.free + w.counts.holiday;
    }
    EXPECT_EQ(days, 366);

    // The grid keeps the day on a row of its own, numbered 53.
    const MonthGrid december = monthGrid(types, 12, false);
    auto rowText = [](const auto& cells) {
        std::string s;
        for (const auto& c : cells) {
            s += c + "|";
        }
        return s;
    };
    EXPECT_EQ(rowText(december[5]), "53.|24|25|26|27|28|29|30|5|2|0|");
    EXPECT_EQ(rowText(december[6]), "53.|31|||||||1|0|0|");
}

std::string gridText(const MonthGrid& g) {
    std::string s;
    for (const auto& row : g) {
        for (const auto& c : row) {
            s += c + "|";
        }
        s += "\n";
    }
    return s;
}

TEST(MonthGrid, WithAndWithoutTheNeighbouringMonthsDays) {
    PlanningTable p;
    DayTypeTable types;
    ComputePlanning(p, types, 2023, czechHolidays(2023, 4, 7));
    const std::string head = "Týden|po|út|st|čt|pá|so|ne|pracovní dny|pracovní volno|placené "
                             "svátky|\n";
    // 1 March 2023 is a Wednesday.
    EXPECT_EQ(gridText(monthGrid(types, 3, false)), head + "10.|||1|2|3|4|5|3|2|0|\n"
                                                           "11.|6|7|8|9|10|11|12|5|2|0|\n"
                                                           "12.|13|14|15|16|17|18|19|5|2|0|\n"
                                                           "13.|20|21|22|23|24|25|26|5|2|0|\n"
                                                           "14.|27|28|29|30|31|||5|0|0|\n"
                                                           "|||||||||||\n"
                                                           "Suma:||||||||23|8|0|\n");
    EXPECT_EQ(gridText(monthGrid(types, 3, true)), head + "10.|27|28|1|2|3|4|5|5|2|0|\n"
                                                          "11.|6|7|8|9|10|11|12|5|2|0|\n"
                                                          "12.|13|14|15|16|17|18|19|5|2|0|\n"
                                                          "13.|20|21|22|23|24|25|26|5|2|0|\n"
                                                          "14.|27|28|29|30|31|1|2|5|2|0|\n"
                                                          "|||||||||||\n"
                                                          "Suma:||||||||25|10|0|\n");
    // January: the days of the year before are never shown; 1 January is a holiday on a Sunday.
    const MonthGrid january = monthGrid(types, 1, true);
    EXPECT_EQ(gridText(january).substr(head.size(), 42),
              "1.|||||||1|0|1|0|\n2.|2|3|4|5|6|7|8|5|2|0|\n");
    // April: Good Friday and Easter Monday are paid holidays.
    EXPECT_EQ(gridText(monthGrid(types, 4, false)).substr(head.size()),
              "14.||||||1|2|0|2|0|\n"
              "15.|3|4|5|6|7|8|9|4|2|1|\n"
              "16.|10|11|12|13|14|15|16|4|2|1|\n"
              "17.|17|18|19|20|21|22|23|5|2|0|\n"
              "18.|24|25|26|27|28|29|30|5|2|0|\n"
              "|||||||||||\n"
              "Suma:||||||||18|10|2|\n");
}

TEST(CalendarReports, HolidayListing) {
    HolidayTable t;
    HolidayRecord h;
    h.holidayDate = date(2024, 12, 24);
    h.holidayName.setText("Štědrý den");
    (void)t.TryStore(h);
    h.holidayDate = date(2024, 1, 1);
    h.holidayName.setText("Nový rok");
    (void)t.TryStore(h);
    EXPECT_EQ(holidayListingLines(t),
              (std::vector<std::string>{"Přehled evidovaných svátků", "",
                                        "24.12.2024 út Štědrý den", "01.01.2024 po Nový rok"}));
    EXPECT_EQ(holidayListingLines(HolidayTable{}).size(), 2u);
}

TEST(CalendarReports, YearlyCalendarFromTheStandardList) {
    test::TempDir dir;
    const std::string ini = utf8ToWin1250("01.01.Nový rok\r\n30.02.Nikdy\r\n1.5.Svátek\r\n");
    test::writeBytes(dir / kStandardHolidaysFile, {ini.begin(), ini.end()});
    DayTypeTable types;
    std::vector<std::string> messages;
    BuildDayTypes(types, 2023, readStandardHolidays(dir.path()), messages);
    EXPECT_EQ(messages, std::vector<std::string>{"SVATKY.INI - chybné datum\r\n1.5.Sv"});
    EXPECT_EQ(types.kind(2, 28), kWorkingDay); // 30 February is ignored, 28 is a Tuesday
    EXPECT_EQ(types.kind(4, 10), kHolidayDay); // Easter Monday

    const std::vector<std::string> lines = yearlyCalendarLines(types);
    ASSERT_EQ(lines.size(), 2u + 12u * 9u);
    // January 2023 begins on a Sunday: six blanks before the first column of Monday to Saturday.
    const std::vector<std::string> january = {
        "Kalendář pro rok 2023",
        "",
        "  leden",
        "po       02 P  09 P  16 P  23 P  30 P  ",
        "út       03 P  10 P  17 P  24 P  31 P  ",
        "st       04 P  11 P  18 P  25 P  ",
        "čt       05 P  12 P  19 P  26 P  ",
        "pá       06 P  13 P  20 P  27 P  ",
        "so       07 N  14 N  21 N  28 N  ",
        "ne 01 S  08 N  15 N  22 N  29 N  ",
        "",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 11), january);
    // April 2023 begins on a Saturday; Easter Monday is the 10th.
    EXPECT_EQ(lines[2 + 3 * 9], "  duben");
    EXPECT_EQ(lines[2 + 3 * 9 + 1], "po       03 P  10 S  17 P  24 P  ");
    EXPECT_EQ(lines[2 + 3 * 9 + 6], "so 01 N  08 N  15 N  22 N  29 N  ");
    EXPECT_EQ(lines[2 + 3 * 9 + 7], "ne 02 N  09 N  16 N  23 N  30 N  ");

    // Without SVATKY.INI: the error, and only the weekends (no Easter Monday either).
    std::filesystem::remove(dir / kStandardHolidaysFile);
    messages.clear();
    BuildDayTypes(types, 2023, readStandardHolidays(dir.path()), messages);
    EXPECT_EQ(messages, std::vector<std::string>{"SVATKY.INI - soubor nenalezen"});
    EXPECT_EQ(types.kind(1, 1), kWeekendDay);
    EXPECT_EQ(types.kind(4, 10), kWorkingDay);
    EXPECT_EQ(types.kind(2, 29), kWorkingDay); // beyond February stays 0
    EXPECT_EQ(std::string() + dayKindLetter(0) + dayKindLetter(1) + dayKindLetter(2) +
                  dayKindLetter(3) + dayKindLetter(4),
              "PNSX?");
}

TEST(CalendarReports, PlanningViewAndItsPrint) {
    PlanningTable p;
    DayTypeTable types;
    ComputePlanning(p, types, 2024, czechHolidays(2024, 3, 29));
    const auto rows = planningRows(p, PlanningSections{});
    ASSERT_EQ(rows.size(), 3u + 5u + 13u + 54u);
    const auto lines = planningPrintLines(planningTitle(p), rows);
    const std::vector<std::string> head = {
        "Plánovací kalendář pro rok 2024",
        "",
        "               Od     Do    pracovní  pracovní placené  ",
        "                              dny      volno    svátky  ",
        "Rok:                          252      104       10",
        "",
        "Čtvrtletí:                                         ",
        " 1. čtvrtletí 01.01. 31.03.    63       26        2",
        " 2. čtvrtletí 01.04. 30.06.    62       26        3",
        " 3. čtvrtletí 01.07. 30.09.    65       26        1",
        " 4. čtvrtletí 01.10. 31.12.    62       26        4",
        "",
        "Měsíce:                                            ",
        " leden        01.01. 31.01.    22        8        1",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 14), head);
    EXPECT_EQ(lines[13 + 11], " prosinec     01.12. 31.12.    19        9        3");
    EXPECT_EQ(lines[13 + 12], "");
    EXPECT_EQ(lines[13 + 13], "Týdny:                                             ");
    EXPECT_EQ(lines[13 + 14], " 1. týden     01.01. 07.01.     4        2        1");
    EXPECT_EQ(lines.back(), " 53. týden    30.12. 31.12.     2        0        0");

    // Other sections: an empty line before each section heading, wherever it falls.
    const auto decades = planningPrintLines(
        planningTitle(p), planningRows(p, PlanningSections{false, false, false, true}));
    ASSERT_EQ(decades.size(), 2u + 3u + 1u + 1u + 37u);
    EXPECT_EQ(decades[5], "");
    EXPECT_EQ(decades[6], "Dekády:                                            ");
    EXPECT_EQ(decades[7], " 1. dekáda    01.01. 10.01.     7        2        1");
    EXPECT_EQ(decades.back(), " 37. dekáda   26.12. 31.12.     3        2        1");
}

} // namespace
} // namespace qtr
