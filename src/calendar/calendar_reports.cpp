#include "calendar/calendar_reports.h"

#include "base/win1250.h"
#include "calendar/calendar_arithmetic.h"

#include <array>
#include <utility>

namespace qtr {

std::vector<std::string> holidayListingLines(const HolidayTable& table) {
    std::vector<std::string> lines = {"Přehled evidovaných svátků", ""};
    for (const HolidayRecord& h : table.records()) {
        lines.push_back(holidayDateText(h.holidayDate) + " " + h.holidayName.text());
    }
    return lines;
}

std::vector<std::string> yearlyCalendarLines(const DayTypeTable& dayTypes) {
    const int year = dayTypes.year;
    std::vector<std::string> lines = {"Kalendář pro rok " + std::to_string(year), ""};
    for (int m = 1; m <= 12; ++m) {
        std::array<std::string, 8> rows; // by weekday, Monday = 1 ... Sunday = 7
        const int firstDay = isoWeekdayOf(encodeDate(year, m, 1));
        // The weekdays before the 1st in its week get an empty column.
        for (int d = 1; d < firstDay; ++d) {
            rows[static_cast<std::size_t>(d)] = "      ";
        }
        for (int day = 1; day <= calendarDaysInMonth(year, m); ++day) {
            std::string& r = rows[static_cast<std::size_t>(isoWeekdayOf(encodeDate(year, m, day)))];
            r += day < 10 ? "0" + std::to_string(day) : std::to_string(day);
            r += ' ';
            r += dayKindLetter(dayTypes.kind(m, day));
            r += "  ";
        }
        lines.push_back("  " + std::string(czechMonthName(m)));
        for (int d = 1; d <= 7; ++d) {
            lines.push_back(std::string(czechDayAbbreviation(d)) + " " +
                            rows[static_cast<std::size_t>(d)]);
        }
        lines.push_back("");
    }
    return lines;
}

std::vector<std::string> planningPrintLines(const std::string& title,
                                            const std::vector<PlanningRow>& rows) {
    static constexpr std::array<std::size_t, 6> kHeadingWidths = {14, 7, 7, 10, 9, 9};
    static constexpr std::array<std::size_t, 6> kRowWidths = {14, 7, 7, 5, 9, 9};
    std::vector<std::string> lines = {title, ""};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PlanningRow& r = rows[i];
        if (r.sectionHeading) {
            lines.emplace_back();
        }
        std::string line;
        for (std::size_t c = 0; c < 6; ++c) {
            if (i < 2) {
                line += padRight(r.cells[c], kHeadingWidths[c]);
            } else if (c < 3) {
                line += padRight(r.cells[c], kRowWidths[c]);
            } else {
                line += padLeft(r.cells[c], kRowWidths[c]);
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace qtr
