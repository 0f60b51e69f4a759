#pragma once

#include "attendance/attendance_card.h"
#include "attendance/code_list.h"
#include "attendance/evaluation.h"

#include <string>
#include <vector>

namespace qtr {

// The evaluation of a card as text: the holder, the period, the card's validity and
// usual shift, the plan text, then one line per day (day type, norm, performance,
// balance, first start, last end, minutes of the codes that have any in the period,
// remark and note) and the totals; every number of minutes as "h:mm".
std::vector<std::string> evaluationTextLines(const std::string& holderName,
                                             const AttendanceCard& card,
                                             const EvaluationResult& result,
                                             const AttendanceCodeList& codes);

// The same as a table for payroll spreadsheets: UTF-8 with a byte order mark, ";"
// between the fields, CR LF; a heading row, one row per day with a column for every
// code of the list, and the totals row.
std::string evaluationCsv(const EvaluationResult& result, const AttendanceCodeList& codes);

} // namespace qtr
