#include "calendar/planning.h"

#include "calendar/calendar_arithmetic.h"

#include <algorithm>

namespace qtr {
namespace {

DayCounts& operator+=(DayCounts& a, const DayCounts& b) {
    a.working = static_cast<std::uint16_t>(a.working + b.working);
    a.free = static_cast<std::uint16_t>(a.free + b.free);
    a.holiday = static_cast<std::uint16_t>(a.holiday + b.holiday);
    return a;
}

void putCounts(std::string* cells, const DayCounts& c) {
    cells[0] = std::to_string(c.working);
    cells[1] = std::to_string(c.free);
    cells[2] = std::to_string(c.holiday);
}

PlanningRow row(std::string label, std::string from, std::string to, const DayCounts& c) {
    PlanningRow r;
    r.cells[0] = std::move(label);
    r.cells[1] = std::move(from);
    r.cells[2] = std::move(to);
    putCounts(&r.cells[3], c);
    return r;
}

PlanningRow heading(std::string label) {
    PlanningRow r;
    r.cells[0] = std::move(label);
    r.sectionHeading = true;
    return r;
}

std::string dayMonth(DateTime date) {
    return formatDateTime("dd.mm.", date);
}

} // namespace

PlannedDay classifyDay(std::uint8_t kind, DateTime date) {
    if (kind == kWeekendDay || (kind == kHolidayDay && isWeekend(date))) {
        return PlannedDay::Free;
    }
    return kind == kHolidayDay ? PlannedDay::Holiday : PlannedDay::Working;
}

void DayCounts::add(PlannedDay day) {
    switch (day) {
    case PlannedDay::Working:
        ++working;
        break;
    case PlannedDay::Free:
        ++free;
        break;
    case PlannedDay::Holiday:
        ++holiday;
        break;
    }
}

int dayOfYear(DateTime date) {
    const int year = decodeDateTime(date).year;
    return static_cast<int>(datePart(date) - encodeDate(year, 1, 1)) + 1;
}

int weekOfYear(DateTime date) {
    const int year = decodeDateTime(date).year;
    const int firstWeekLength = 8 - isoWeekdayOf(encodeDate(year, 1, 1));
    const int n = dayOfYear(date);
    if (n <= firstWeekLength) {
        return 1;
    }
    return (n - firstWeekLength + 6) / 7 + 1;
}

int planningWeekOf(DateTime date) {
    return std::min(weekOfYear(date), kPlanningWeeks);
}

int decadeOfDayOfYear(int n) {
    return (n - 1) / 10 + 1;
}

int quarterOfMonth(int month) {
    return (month - 1) / 3 + 1;
}

void ComputePlanning(PlanningTable& planning, DayTypeTable& dayTypes, int year,
                     const HolidayTable& holidays) {
    planning = PlanningTable{};
    planning.year = static_cast<std::uint16_t>(year);
    BuildDayTypesFromTable(dayTypes, year, holidays);
    const DateTime first = encodeDate(year, 1, 1);
    const DateTime last = encodeDate(year, 12, 31);
    planning.weeks[0].from = first;
    for (DateTime d = first; d <= last; d += 1.0) {
        const CivilDateTime c = decodeDateTime(d);
        const int n = dayOfYear(d);
        PlanningPeriod& week = planning.weeks[static_cast<std::size_t>(planningWeekOf(d) - 1)];
        PlanningPeriod& decade =
            planning.decades[static_cast<std::size_t>(decadeOfDayOfYear(n) - 1)];
        // The Monday of a 54th week must not move week 53's beginning.
        if (weekOfYear(d) <= kPlanningWeeks) {
            if (weekdayOf(d) == 0) {
                week.to = d;
            } else if (weekdayOf(d) == 1) {
                week.from = d;
            }
        }
        if ((n - 1) % 10 == 0) {
            decade.from = d;
        } else if ((n - 1) % 10 == 9) {
            decade.to = d;
        }
        const PlannedDay kind = classifyDay(dayTypes.kind(c.month, c.day), d);
        week.counts.add(kind);
        decade.counts.add(kind);
        planning.months[static_cast<std::size_t>(c.month - 1)].add(kind);
        planning.quarters[static_cast<std::size_t>(quarterOfMonth(c.month) - 1)].add(kind);
    }
    planning.weeks[static_cast<std::size_t>(planningWeekOf(last) - 1)].to = last;
    planning.decades[kDecades - 1].to = last;
    for (const DayCounts& m : planning.months) {
        planning.yearTotals += m;
    }
}

MonthGrid monthGrid(const DayTypeTable& dayTypes, int month, bool wholeWeeks) {
    MonthGrid grid{};
    grid[0] = {
        "Týden",         "po", "út", "st", "čt", "pá", "so", "ne", "pracovní dny", "pracovní volno",
        "placené svátky"};
    grid[7][0] = "Suma:";
    const int year = dayTypes.year;
    const DateTime first = encodeDate(year, month, 1);
    const DateTime last = encodeDate(year, month, calendarDaysInMonth(year, month));
    const DateTime start = first - (isoWeekdayOf(first) - 1);
    const DateTime end = last + (7 - isoWeekdayOf(last));
    const int firstWeek = weekOfYear(first);
    DayCounts week;
    DayCounts total;
    for (DateTime d = start; d <= end; d += 1.0) {
        const CivilDateTime c = decodeDateTime(d);
        if (c.year == year && (c.month == month || wholeWeeks)) {
            auto& cells = grid[static_cast<std::size_t>(weekOfYear(d) - firstWeek + 1)];
            cells[static_cast<std::size_t>(isoWeekdayOf(d))] = std::to_string(c.day);
            cells[0] = std::to_string(planningWeekOf(d)) + ".";
            const PlannedDay kind = classifyDay(dayTypes.kind(c.month, c.day), d);
            week.add(kind);
            total.add(kind);
            putCounts(&cells[8], week);
        }
        if (weekdayOf(d) == 0) {
            week = {};
        }
    }
    putCounts(&grid[7][8], total);
    return grid;
}

std::string planningTitle(const PlanningTable& planning) {
    return "Plánovací kalendář pro rok " + std::to_string(planning.year);
}

std::vector<PlanningRow> planningRows(const PlanningTable& p, PlanningSections sections) {
    std::vector<PlanningRow> rows;
    rows.push_back({{"", " Od", " Do", "pracovní", "pracovní", "placené"}});
    rows.push_back({{"", "", "", "  dny", " volno", " svátky"}});
    rows.push_back(row("Rok:", "", "", p.yearTotals));
    const int year = p.year;
    if (sections.quarters) {
        rows.push_back(heading("Čtvrtletí:"));
        for (int q = 1; q <= 4; ++q) {
            const int lastMonth = q * 3;
            rows.push_back(
                row(" " + std::to_string(q) + ". čtvrtletí",
                    dayMonth(encodeDate(year, lastMonth - 2, 1)),
                    dayMonth(encodeDate(year, lastMonth, calendarDaysInMonth(year, lastMonth))),
                    p.quarters[static_cast<std::size_t>(q - 1)]));
        }
    }
    if (sections.months) {
        rows.push_back(heading("Měsíce:"));
        for (int m = 1; m <= 12; ++m) {
            rows.push_back(row(" " + std::string(czechMonthName(m)),
                               dayMonth(encodeDate(year, m, 1)),
                               dayMonth(encodeDate(year, m, calendarDaysInMonth(year, m))),
                               p.months[static_cast<std::size_t>(m - 1)]));
        }
    }
    if (sections.weeks) {
        rows.push_back(heading("Týdny:"));
        for (int w = 1; w <= kPlanningWeeks; ++w) {
            const PlanningPeriod& week = p.weeks[static_cast<std::size_t>(w - 1)];
            rows.push_back(row(" " + std::to_string(w) + ". týden", dayMonth(week.from),
                               dayMonth(week.to), week.counts));
        }
    }
    if (sections.decades) {
        rows.push_back(heading("Dekády:"));
        for (int k = 1; k <= kDecades; ++k) {
            const PlanningPeriod& decade = p.decades[static_cast<std::size_t>(k - 1)];
            rows.push_back(row(" " + std::to_string(k) + ". dekáda", dayMonth(decade.from),
                               dayMonth(decade.to), decade.counts));
        }
    }
    return rows;
}

} // namespace qtr
