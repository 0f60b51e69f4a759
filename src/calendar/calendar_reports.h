#pragma once

#include "calendar/day_types.h"
#include "calendar/holiday_table.h"
#include "calendar/planning.h"

#include <string>
#include <vector>

// The texts the calendars write into the work file, as UTF-8 lines.
namespace qtr {

// "celý přehled ": the heading, an empty line and one line per holiday in table
// order, "dd.mm.yyyy ddd" and the name.
std::vector<std::string> holidayListingLines(const HolidayTable& table);

// "roční kalendář": every month of the day-type table's year as seven weekday rows
// of six-character columns, "dd K  " per day.
std::vector<std::string> yearlyCalendarLines(const DayTypeTable& dayTypes);

// "vypsat": the planning view as fixed columns under its title.
std::vector<std::string> planningPrintLines(const std::string& title,
                                            const std::vector<PlanningRow>& rows);

} // namespace qtr
