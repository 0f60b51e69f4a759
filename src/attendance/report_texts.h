#pragma once

#include "attendance/attendance_card.h"
#include "attendance/code_list.h"
#include "attendance/evaluation.h"
#include "attendance/row_definition.h"

#include <string>
#include <string_view>
#include <vector>

namespace qtr {

// The printed texts of the attendance: the report of an evaluated card, the card
// printout and the printed code list, as UTF-8 lines for the work file.

inline constexpr const char* kReportTitle = "VÝKAZ DOCHÁZKY";
inline constexpr const char* kCardPrintoutTitle = "DOCHÁZKOVÁ KARTA";

// Numbers of minutes as text; negative numbers carry a "-" before the digits.
// clock: hours with at least two digits, ":" and two digits of minutes ("08:00", "160:30").
std::string clockText(int minutes);
// day clock: as clock within the day, preceded by the whole days and ":" when there
// are any ("01:01:00" for 25 hours).
std::string dayClockText(int minutes);
// short norm: clock below one day, "#####" from one day on.
std::string shortNormText(int minutes);

// A value laid out to a report column: cut to its width, padded with blanks on the
// right when the column is left-aligned, on the left otherwise.
std::string layOutToColumn(std::string_view text, const ReportColumnDef& column);

// "VÝKAZ DOCHÁZKY": the heading, a line per day of the period and the totals, with
// the columns of the row definition.
std::vector<std::string> attendanceReportLines(const std::string& title,
                                               const std::string& holderName,
                                               const EvaluationResult& result,
                                               const ReportRowDefinition& columns);

// "DOCHÁZKOVÁ KARTA": the lines of the card in a framed table.
std::vector<std::string> cardPrintoutLines(const std::string& title, const std::string& holderName,
                                           const AttendanceCard& card,
                                           const AttendanceCodeList& codes);

// "ČÍSELNÍK DOCHÁZKY": every code with its name, counting, limits and report column,
// printed on `today`.
std::vector<std::string> codeListLines(const AttendanceCodeList& codes, DateTime today);

} // namespace qtr
