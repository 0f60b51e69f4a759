#pragma once

#include "attendance/code_list.h"
#include "attendance/row_definition.h"

#include <string>
#include <string_view>
#include <vector>

namespace qtr {

// Choosing the columns of the attendance report.

// What can be added as a column: the headings of the six fixed items, then the
// names of the codes in list order.
std::vector<std::string> reportItemNames(const AttendanceCodeList& codes);

// Appends the item of that name, a fixed item's heading being looked for before a
// code's name, with a copy of its look. False when no item has the name or 25
// columns exist.
bool appendReportItem(ReportRowDefinition& columns, const AttendanceCodeList& codes,
                      std::string_view name);

// The columns' headings as the report lays them out, each between square brackets.
std::string rowPreviewText(const ReportRowDefinition& columns);

// A column the check dropped.
struct DroppedColumn {
    int itemCode = 0;
    std::string heading;
};

// After the code list changed: the columns of codes that are gone are dropped, the
// others take the current look of their code or fixed item, in their order.
std::vector<DroppedColumn> checkRowDefinition(ReportRowDefinition& columns,
                                              const AttendanceCodeList& codes);
// The warning that names a dropped column (titled "VYPUŠTĚNÍ POLOŽKY").
inline constexpr const char* kDroppedColumnTitle = "VYPUŠTĚNÍ POLOŽKY";
std::string droppedColumnText(const DroppedColumn& dropped);

} // namespace qtr
