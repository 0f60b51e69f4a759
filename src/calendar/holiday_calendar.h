#pragma once

#include "calendar/day_types.h"
#include "calendar/holiday_table.h"
#include "calendar/planning.h"

namespace qtr {

// The holiday calendar of the run, owned by the composition root: the holiday
// table, which the attendance evaluation and the planning calendar consult, and
// the day types and planning counts last computed from it.
struct HolidayCalendar {
    HolidayTable holidays;
    DayTypeTable dayTypes;
    PlanningTable planning;
};

} // namespace qtr
