#include "attendance/report_table.h"

#include "attendance/attendance_time.h"
#include "attendance/card_text.h"
#include "attendance/report_texts.h"

namespace qtr {
namespace {

// The code of a code column, -1 for another column or one past the list.
int codeOfColumn(const AttendanceCodeList& codes, int column) {
    const int i = column - kReportTableFirstCodeColumn + 1;
    return i >= 1 && i <= codes.count() ? codes.at(i).code : -1;
}

} // namespace

std::vector<std::string> reportTableHeadings(const AttendanceCodeList& codes) {
    std::vector<std::string> headings = {"Začátek práce", "Konec práce", "Norma",   "Výkon",
                                         "Saldo",         "Upozornění",  "Poznámka"};
    for (int i = 1; i <= codes.count(); ++i) {
        headings.push_back(codes.at(i).column.heading.text());
    }
    return headings;
}

bool reportTableColumnEditable(int column) {
    return column == kReportTableNormColumn || column == kReportTableNoteColumn ||
           column == kReportTableRemarkColumn || column >= kReportTableFirstCodeColumn;
}

DateTime periodDateOfDay(const EvaluationResult& result, int d) {
    if (!intervalValid(result.periodFrom, result.periodTo)) {
        return 0.0;
    }
    for (DateTime x = result.periodFrom; x <= result.periodTo; x += 1.0) {
        if (dayOfMonth(x) == d) {
            return x;
        }
    }
    return 0.0;
}

std::vector<std::string> reportTableRow(const EvaluationResult& result,
                                        const AttendanceCodeList& codes, int d) {
    std::vector<std::string> cells(static_cast<std::size_t>(kReportTableFirstCodeColumn) +
                                   static_cast<std::size_t>(codes.count()));
    const DateTime date = periodDateOfDay(result, d);
    if (date == 0.0) {
        return cells;
    }
    const DaySummary& day = result.day(d);
    cells[0] = day.firstStart != 0.0 ? calendarText("dd.mm. hh:nn ddd", day.firstStart)
                                     : calendarText("dd.mm. ddd", date);
    cells[1] = setTimeText("dd.mm. hh:nn ddd", day.lastEnd);
    cells[2] = shortNormText(day.normMinutes);
    cells[3] = clockText(day.performanceMinutes);
    cells[4] = clockText(day.balanceMinutes);
    cells[5] = day.note.text();
    cells[6] = day.remark.text();
    for (int i = 1; i <= codes.count(); ++i) {
        cells[static_cast<std::size_t>(kReportTableFirstCodeColumn + i - 1)] =
            clockText(day.codeSums.get(codes.at(i).code));
    }
    return cells;
}

std::optional<int> parseClockValue(std::string_view t) {
    const auto digit = [&t](std::size_t i) { return t[i] >= '0' && t[i] <= '9'; };
    if (t.size() != 5 || t[2] != ':' || !digit(0) || !digit(1) || !digit(3) || !digit(4)) {
        return std::nullopt;
    }
    const int hours = (t[0] - '0') * 10 + (t[1] - '0');
    const int minutes = (t[3] - '0') * 10 + (t[4] - '0');
    if (hours > 48 || minutes > 59) {
        return std::nullopt;
    }
    return hours * 60 + minutes;
}

std::string storeReportTableEdit(EvaluationResult& result, const AttendanceCodeList& codes, int d,
                                 int column, std::string_view text) {
    if (periodDateOfDay(result, d) == 0.0 || !reportTableColumnEditable(column)) {
        return "Tento údaj nelze opravit.";
    }
    DaySummary& day = result.day(d);
    if (column == kReportTableNoteColumn) {
        day.note.setText(text);
        return {};
    }
    if (column == kReportTableRemarkColumn) {
        day.remark.setText(text);
        return {};
    }
    const std::optional<int> minutes = parseClockValue(text);
    if (!minutes) {
        return "Údaj musí mít tvar hh:mm (hodiny 0 až 48, minuty 0 až 59).";
    }
    if (column == kReportTableNormColumn) {
        // A norm is the length of one day's shift: a day or more is no norm.
        if (*minutes >= 1440) {
            return "Norma dne může být nejvýše 23:59.";
        }
        day.normMinutes = *minutes;
    } else {
        const int code = codeOfColumn(codes, column);
        if (code < 0) {
            return "Tento údaj nelze opravit.";
        }
        if (!day.codeSums.set(code, *minutes) && day.codeSums.add(code, *minutes) == nullptr) {
            return "Den už má součty 25 druhů práce, další přidat nelze.";
        }
    }
    recomputeDay(result, codes, d);
    return {};
}

} // namespace qtr
