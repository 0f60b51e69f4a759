#pragma once

#include "attendance/attendance_card.h"
#include "attendance/code_list.h"

#include <string>

namespace qtr {

// What the card editor offers when a start or an end of line i (1..lineCount) is set
// by hand: the dialog's title, the bounds the time must keep so that the line stays in
// order with its neighbours, and the value it starts from.
struct TimeChoice {
    std::string title;
    DateTime lower = 0.0;
    DateTime upper = 0.0;
    DateTime initial = 0.0;
};
TimeChoice startChoice(const AttendanceCard& card, int i, const AttendanceCodeList& codes);
TimeChoice endChoice(const AttendanceCard& card, int i, const AttendanceCodeList& codes);

// A code chosen for a line; "dovolená" (10) and "nemoc" (11) put a line with both
// times on the usual shift of its days.
void setLineCode(CardLine& line, int code, const AttendanceCard& card);

} // namespace qtr
