#pragma once

#include "base/file_result.h"

#include <filesystem>

class QWidget;

namespace qtr {
struct HolidayCalendar;
}

// What the main menu does for "Kalendář svátků" and "Plánovací kalendář".
namespace qtr::calendar {

// Opens TSVATKY modally; when it closes, the holiday table is sorted by date and
// saved to QTR0006.DAT in `dir`. The result is that of the save.
FileResult runHolidayCalendar(HolidayCalendar& calendar, const std::filesystem::path& dir,
                              int currentYear, QWidget* parent);

// Opens TPLNKAL modally.
void runPlanningCalendar(HolidayCalendar& calendar, const std::filesystem::path& dir,
                         int currentYear, QWidget* parent);

} // namespace qtr::calendar
