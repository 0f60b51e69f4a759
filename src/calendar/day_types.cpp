#include "calendar/day_types.h"

#include "calendar/calendar_arithmetic.h"

namespace qtr {
namespace {

void markWeekends(DayTypeTable& table, int year) {
    table = DayTypeTable{};
    table.year = static_cast<std::uint16_t>(year);
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= calendarDaysInMonth(year, m); ++d) {
            table.setKind(m, d, isWeekend(encodeDate(year, m, d)) ? kWeekendDay : kWorkingDay);
        }
    }
}

} // namespace

char dayKindLetter(std::uint8_t kind) {
    switch (kind) {
    case kWorkingDay:
        return 'P';
    case kWeekendDay:
        return 'N';
    case kHolidayDay:
        return 'S';
    case 3:
        return 'X';
    default:
        return '?';
    }
}

void BuildDayTypes(DayTypeTable& table, int year, const StandardHolidays& list,
                   std::vector<std::string>& messages) {
    markWeekends(table, year);
    if (!list.found) {
        messages.push_back(standardFileMissingText(list));
        return;
    }
    for (const std::string& line : list.lines) {
        const std::uint16_t value = parseStandardDate(line);
        if (value == kInvalidStandardDate) {
            messages.push_back(badStandardLineText(std::string_view(line).substr(0, 6)));
            continue;
        }
        const int month = value >> 8;
        const int day = value & 0xFF;
        if (day <= calendarDaysInMonth(year, month)) {
            table.setKind(month, day, kHolidayDay);
        }
    }
    const MonthDay easter = easterMonday(year);
    table.setKind(easter.month, easter.day, kHolidayDay);
}

void BuildDayTypesFromTable(DayTypeTable& table, int year, const HolidayTable& holidays) {
    markWeekends(table, year);
    for (const HolidayRecord& h : holidays.holidaysOfYear(year)) {
        const CivilDateTime c = decodeDateTime(h.holidayDate);
        table.setKind(c.month, c.day, kHolidayDay);
    }
}

} // namespace qtr
