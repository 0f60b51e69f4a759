#include "attendance/report_layout.h"

#include "attendance/report_texts.h"

namespace qtr {

std::vector<std::string> reportItemNames(const AttendanceCodeList& codes) {
    std::vector<std::string> names;
    for (int item = kFirstFixedItem; item < kFirstFixedItem + kFixedItemCount; ++item) {
        names.push_back(fixedItemColumn(item)->heading.text());
    }
    for (int i = 1; i <= codes.count(); ++i) {
        names.push_back(codes.at(i).name.text());
    }
    return names;
}

bool appendReportItem(ReportRowDefinition& columns, const AttendanceCodeList& codes,
                      std::string_view name) {
    std::optional<ReportItemLook> look = findFixedItemByName(name);
    if (!look) {
        look = codes.findByName(name);
    }
    if (!look) {
        return false;
    }
    ReportRowItem item;
    item.itemCode = static_cast<std::uint8_t>(look->itemCode);
    item.column = look->column;
    return columns.append(item);
}

std::string rowPreviewText(const ReportRowDefinition& columns) {
    std::string preview;
    for (int i = 1; i <= columns.count(); ++i) {
        const ReportColumnDef& c = columns.at(i).column;
        preview += "[" + layOutToColumn(c.heading.text(), c) + "]";
    }
    return preview;
}

std::vector<DroppedColumn> checkRowDefinition(ReportRowDefinition& columns,
                                              const AttendanceCodeList& codes) {
    std::vector<DroppedColumn> dropped;
    ReportRowDefinition kept;
    for (int i = 1; i <= columns.count(); ++i) {
        ReportRowItem item = columns.at(i);
        if (const ReportColumnDef* fixed = fixedItemColumn(item.itemCode)) {
            item.column = *fixed;
        } else if (const AttendanceCodeRecord* code = codes.record(item.itemCode)) {
            item.column = code->column;
        } else {
            dropped.push_back({item.itemCode, item.column.heading.text()});
            continue;
        }
        kept.append(item);
    }
    columns = kept;
    return dropped;
}

std::string droppedColumnText(const DroppedColumn& dropped) {
    return "Z definice řádku bylo vypuštěno: \r\n" + std::to_string(dropped.itemCode) + " - " +
           dropped.heading;
}

} // namespace qtr
