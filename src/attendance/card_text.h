#pragma once

#include "attendance/attendance_card.h"
#include "attendance/code_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace qtr {

// A value as formatDateTime writes it with the pattern; "?" for a value read from a
// damaged file that is no date at all.
std::string calendarText(std::string_view pattern, DateTime value);
// The same, but an empty text for a time that is not set (0).
std::string setTimeText(std::string_view pattern, DateTime value);

// The texts of a card line as the card grid shows them; a time that is not set
// (0) is an empty text.

// A card's or a period's date as "dd.mm.yyyy" (its time of day is not shown).
std::string cardDateText(DateTime day);
// shiftDay as "dd.mm.yyyy ddd".
std::string shiftDayText(DateTime day);
// start or end as "dd.mm. hh:nn".
std::string cardTimeText(DateTime time);
// The time of day of a value as "hh:nn" (a usual time, a code's limit).
std::string timeOfDayText(DateTime value);
// duration as "hh:nn" ("00:00" while not computed), or "#" + whole days + ":" + "hh:nn"
// from one day on.
std::string cardDurationText(DateTime duration);

// "Obvykle od: hh:nn", "Obvykle do: hh:nn" and the filling text of the card.
std::string usualStartText(const AttendanceCard& card);
std::string usualEndText(const AttendanceCard& card);
std::string fillMissingText(const AttendanceCard& card);

// A line of the card register's list: the holder's name, the card's dates as
// "dd.mm.-dd.mm.", padded to 44 characters, a blank and the key's 14 digits.
std::string registerListLine(const std::string& holderName, const AttendanceCard& card);
// The key of such a line (its digits from character 46 on); zero when there are none.
KeyNumber keyOfRegisterLine(const std::string& line);

// A heading line and one line per card line: number, shift day, start, end, duration,
// code name and note in columns.
std::vector<std::string> cardListing(const AttendanceCard& card, const AttendanceCodeList& codes);

} // namespace qtr
