#pragma once

#include "attendance/attendance_card.h"
#include "attendance/code_list.h"

#include <string>
#include <vector>

namespace qtr {

// The texts of a card line as the card grid shows them; a time that is not set
// (0) is an empty text.

// A card's or a period's date as "dd.mm.yyyy" (its time of day is not shown).
std::string cardDateText(DateTime day);
// shiftDay as "dd.mm.yyyy ddd".
std::string shiftDayText(DateTime day);
// start or end as "dd.mm. hh:nn".
std::string cardTimeText(DateTime time);
// duration as "hh:nn", or "#" + whole days + ":" + "hh:nn" from one day on.
std::string cardDurationText(DateTime duration);

// "Obvykle od: hh:nn", "Obvykle do: hh:nn" and the filling text of the card.
std::string usualStartText(const AttendanceCard& card);
std::string usualEndText(const AttendanceCard& card);
std::string fillMissingText(const AttendanceCard& card);

// A heading line and one line per card line: number, shift day, start, end, duration,
// code name and note in columns.
std::vector<std::string> cardListing(const AttendanceCard& card, const AttendanceCodeList& codes);

} // namespace qtr
