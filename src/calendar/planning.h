#pragma once

#include "calendar/day_types.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qtr {

// How a day counts in the planning calendar.
enum class PlannedDay { Working, Free, Holiday };

// Weekend days are free; a holiday counts as a paid holiday only on a weekday.
PlannedDay classifyDay(std::uint8_t kind, DateTime date);

struct DayCounts {
    std::uint16_t working = 0; // "pracovní dny"
    std::uint16_t free = 0;    // "pracovní volno"
    std::uint16_t holiday = 0; // "placené svátky"

    void add(PlannedDay day);
    friend bool operator==(const DayCounts&, const DayCounts&) = default;
};

struct PlanningPeriod {
    DateTime from = 0.0;
    DateTime to = 0.0;
    DayCounts counts;
};

inline constexpr int kPlanningWeeks = 53;
inline constexpr int kDecades = 37;

// The program's own week numbering: week 1 runs from 1 January to the first
// Sunday, every later week from Monday to Sunday. Gives 54 for 31 December of a
// leap year that begins on a Sunday.
int weekOfYear(DateTime date);
// The week the planning calendar counts a day in: 31 December of such a year
// belongs to week 53, the table's last.
int planningWeekOf(DateTime date);
// Periods of ten days in day-of-year order; the 37th holds the last five or six.
int decadeOfDayOfYear(int dayOfYear);
int quarterOfMonth(int month);
// 1 for 1 January.
int dayOfYear(DateTime date);

// One year's working days, free days and paid holidays per week, decade, month,
// quarter and the whole year.
struct PlanningTable {
    std::uint16_t year = 0;
    std::array<PlanningPeriod, kPlanningWeeks> weeks{};
    std::array<PlanningPeriod, kDecades> decades{};
    std::array<DayCounts, 12> months{};
    std::array<DayCounts, 4> quarters{};
    DayCounts yearTotals;
};

// Fills the planning table for the year; the day types come from the holidays of
// that year (BuildDayTypesFromTable).
void ComputePlanning(PlanningTable& planning, DayTypeTable& dayTypes, int year,
                     const HolidayTable& holidays);

// The month grid: 8 rows of 11 cells. Row 0 holds the headings, rows 1-6 the
// weeks, row 7 the sums. The days come from the day-type table's year; with
// `wholeWeeks` the days of the neighbouring months in the first and last week
// are shown and counted too.
inline constexpr int kMonthGridRows = 8;
inline constexpr int kMonthGridColumns = 11;
using MonthGrid = std::array<std::array<std::string, kMonthGridColumns>, kMonthGridRows>;
MonthGrid monthGrid(const DayTypeTable& dayTypes, int month, bool wholeWeeks);

// The sections of the planning view.
struct PlanningSections {
    bool quarters = true;
    bool months = true;
    bool weeks = true;
    bool decades = false;
};

struct PlanningRow {
    std::array<std::string, 6> cells; // label, " Od", " Do", working, free, holidays
    bool sectionHeading = false;      // "Čtvrtletí:", "Měsíce:", "Týdny:", "Dekády:"
};

// "Plánovací kalendář pro rok " and the year.
std::string planningTitle(const PlanningTable& planning);
// The rows of the planning view: the two heading rows, "Rok:" and the chosen sections.
std::vector<PlanningRow> planningRows(const PlanningTable& planning, PlanningSections sections);

} // namespace qtr
