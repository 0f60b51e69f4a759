#include "calendar/forms/calendar_windows.h"

#include "calendar/forms/holiday_calendar_form.h"
#include "calendar/forms/planning_calendar_form.h"
#include "calendar/holiday_calendar.h"
#include "ui/ui_services.h"

namespace qtr::calendar {

FileResult runHolidayCalendar(HolidayCalendar& calendar, const std::filesystem::path& dir,
                              int currentYear, QWidget* parent) {
    {
        TSVATKY form(calendar, dir, currentYear, parent);
        ui::execModal(form);
    }
    calendar.holidays.sortByDate();
    return saveHolidayTable(calendar.holidays, dir);
}

void runPlanningCalendar(HolidayCalendar& calendar, const std::filesystem::path& dir,
                         int currentYear, QWidget* parent) {
    TPLNKAL form(calendar, dir, currentYear, parent);
    ui::execModal(form);
}

} // namespace qtr::calendar
