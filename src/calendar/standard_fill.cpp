#include "calendar/standard_fill.h"

#include "base/win1250.h"
#include "calendar/calendar_arithmetic.h"

namespace qtr {

StandardFill fillYearFromStandard(HolidayTable& table, int year, const StandardHolidays& list,
                                  const std::filesystem::path& dir) {
    StandardFill fill;
    if (!list.found) {
        fill.outcome = StandardFill::Outcome::FileMissing;
        fill.messages.push_back(standardFileMissingText(list));
        return fill;
    }
    if (FileResult r = saveHolidayTable(table, dir); !r) {
        fill.outcome = StandardFill::Outcome::SaveFailed;
        fill.messages.push_back(r.error());
        return fill;
    }
    // What was just saved, to undo the run from memory: a reload could meet a file
    // that the save did not manage to write.
    const HolidayTable before = table;
    const auto undo = [&](std::string why) {
        table = before;
        table.sortByDate();
        table.first();
        fill.outcome = StandardFill::Outcome::Undone;
        fill.added = 0;
        fill.messages.push_back(std::move(why));
        return fill;
    };
    const auto store = [&](const HolidayRecord& h) {
        const HolidayStore s = table.TryStore(h);
        if (s.outcome == HolidayStore::Outcome::Stored) {
            ++fill.added;
        } else if (s.outcome == HolidayStore::Outcome::Duplicate) {
            fill.messages.push_back(s.message());
        }
        return s.succeeded();
    };

    for (const std::string& line : list.lines) {
        const std::uint16_t value = parseStandardDate(line);
        if (value == kInvalidStandardDate) {
            fill.messages.push_back(badStandardLineText(line));
            continue;
        }
        const int month = value >> 8;
        const int day = value & 0xFF;
        if (day > calendarDaysInMonth(year, month)) {
            return undo(std::string(kStandardHolidaysFile) + " - den v měsíci neexistuje\r\n" +
                        win1250ToUtf8(line));
        }
        HolidayRecord h;
        h.holidayDate = encodeDate(year, month, day);
        h.holidayName.setWin1250(standardHolidayName(line));
        if (!store(h)) {
            return undo(kCalendarFullText);
        }
    }
    const MonthDay easter = easterMonday(year);
    HolidayRecord monday;
    monday.holidayDate = encodeDate(year, easter.month, easter.day);
    monday.holidayName.setText(kEasterMondayName);
    if (!store(monday)) {
        return undo(kCalendarFullText);
    }

    table.sortByDate();
    table.first();
    if (FileResult r = saveHolidayTable(table, dir); !r) {
        fill.outcome = StandardFill::Outcome::SaveFailed;
        fill.messages.push_back(r.error());
    }
    return fill;
}

} // namespace qtr
