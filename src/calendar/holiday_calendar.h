#pragma once

#include "calendar/holiday_table.h"

namespace qtr {

// The holiday calendar of the run, owned by the composition root: the holiday
// table, which the attendance evaluation and the planning calendar consult.
struct HolidayCalendar {
    HolidayTable holidays;
};

} // namespace qtr
