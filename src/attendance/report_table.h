#pragma once

#include "attendance/code_list.h"
#include "attendance/evaluation.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qtr {

// The report table: the evaluated days of the period, one row per day of month, in
// which the operator corrects norms, notes, remarks and code minutes before the
// report is written.
//
// Columns: 0 "Začátek práce", 1 "Konec práce", 2 "Norma", 3 "Výkon", 4 "Saldo",
// 5 "Upozornění", 6 "Poznámka", then one per code of the list in list order.
inline constexpr int kReportTableNormColumn = 2;
inline constexpr int kReportTableNoteColumn = 5;
inline constexpr int kReportTableRemarkColumn = 6;
inline constexpr int kReportTableFirstCodeColumn = 7;

// The headings: the seven fixed ones, then each code's report heading.
std::vector<std::string> reportTableHeadings(const AttendanceCodeList& codes);
// Norm, notes, remarks and the code minutes may be changed; the rest follows from them.
bool reportTableColumnEditable(int column);

// The date of the period that has day of month d, 0 when none has it.
DateTime periodDateOfDay(const EvaluationResult& result, int d);
// The cells of the row of day of month d (1..31); empty texts for a day the period
// does not hold.
std::vector<std::string> reportTableRow(const EvaluationResult& result,
                                        const AttendanceCodeList& codes, int d);

// A time typed into the table: exactly "hh:mm", hours 0..48, minutes 0..59; the
// minutes it stands for.
std::optional<int> parseClockValue(std::string_view text);

// Stores what was typed into a cell of day d and recomputes that day's performance
// and balance. A text a numeric column cannot hold is refused with the Czech reason
// and nothing changes; empty when stored.
std::string storeReportTableEdit(EvaluationResult& result, const AttendanceCodeList& codes, int d,
                                 int column, std::string_view text);

} // namespace qtr
