#include "attendance/evaluation_export.h"

#include "attendance/attendance_time.h"
#include "attendance/card_text.h"
#include "base/win1250.h"
#include "docs/report_text.h"

#include <algorithm>

namespace qtr {
namespace {

using CodeColumns = std::vector<const AttendanceCodeRecord*>;

// The codes shown as columns: in the text, those with minutes in the period; in the
// table for spreadsheets every code of the list, so its columns stay the same.
CodeColumns codeColumns(const AttendanceCodeList& codes, const EvaluationResult& result, bool all) {
    CodeColumns columns;
    for (int i = 1; i <= codes.count(); ++i) {
        if (all || result.totalCodeSums.find(codes.at(i).code) != 0) {
            columns.push_back(&codes.at(i));
        }
    }
    return columns;
}

std::string columnHeading(const AttendanceCodeRecord& code) {
    return code.column.heading.empty() ? code.name.text() : code.column.heading.text();
}

std::string dayTypeText(char type) {
    return type == ' ' ? "" : std::string(1, type);
}

// A line of the text: the first column, then each value right-aligned to its width.
std::string textLine(std::string first, const std::vector<std::string>& values,
                     const std::vector<std::size_t>& widths) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        first += " " + padLeft(values[i], widths[i]);
    }
    return first;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// A day's norm, performance, balance, first start, last end and code sums.
std::vector<std::string> dayValues(const DaySummary& day, const CodeColumns& columns) {
    std::vector<std::string> values = {
        hoursMinutesText(day.normMinutes), hoursMinutesText(day.performanceMinutes),
        hoursMinutesText(day.balanceMinutes), setTimeText("hh:nn", day.firstStart),
        setTimeText("hh:nn", day.lastEnd)};
    for (const auto* c : columns) {
        values.push_back(hoursMinutesText(day.codeSums.get(c->code)));
    }
    return values;
}

// The same for the whole period; a period has no first start or last end.
std::vector<std::string> totalValues(const EvaluationResult& result, const CodeColumns& columns) {
    std::vector<std::string> values = {hoursMinutesText(result.totalNormMinutes),
                                       hoursMinutesText(result.totalPerformanceMinutes),
                                       hoursMinutesText(result.totalBalanceMinutes), "", ""};
    for (const auto* c : columns) {
        values.push_back(hoursMinutesText(result.totalCodeSums.get(c->code)));
    }
    return values;
}

} // namespace

std::vector<std::string> evaluationTextLines(const std::string& name, const AttendanceCard& card,
                                             const EvaluationResult& result,
                                             const AttendanceCodeList& codes) {
    const auto columns = codeColumns(codes, result, false);
    std::vector<std::string> headings = {"Norma", "Výkon", "Saldo", "Počátek", "Konec"};
    std::vector<std::size_t> widths(headings.size(), 7);
    for (const auto* c : columns) {
        headings.push_back(columnHeading(*c));
        widths.push_back(std::max<std::size_t>(7, utf8Length(headings.back())));
    }
    std::vector<std::string> lines = {
        "Vyhodnocení docházky: " + name + " (" + result.keyNumber.text() + ")",
        "Zpracování od - do: " + cardDateText(result.periodFrom) + " - " +
            cardDateText(result.periodTo),
        "Platná od - do: " + cardDateText(card.dateFrom) + " - " + cardDateText(card.dateTo),
        usualStartText(card) + "  " + usualEndText(card) + "  " + fillMissingText(card),
        result.planText.text(),
        textLine(padRight("Datum", 16), headings, widths) + "  Poznámka",
    };
    for (DateTime d = result.periodFrom; d <= result.periodTo; d += 1.0) {
        const DaySummary& day = result.day(dayOfMonth(d));
        std::string line = textLine(formatDateTime("dd.mm.yyyy ddd", d) + " " + day.dayType,
                                    dayValues(day, columns), widths);
        std::string remarks = day.remark.text();
        if (!day.note.empty()) {
            remarks += (remarks.empty() ? "" : " ") + day.note.text();
        }
        lines.push_back(remarks.empty() ? line : line + "  " + remarks);
    }
    lines.push_back(textLine(padRight("CELKEM", 16), totalValues(result, columns), widths));
    return lines;
}

std::string evaluationCsv(const EvaluationResult& result, const AttendanceCodeList& codes) {
    const auto columns = codeColumns(codes, result, true);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> header = {"Datum", "Den",   "Typ",     "Norma",
                                       "Výkon", "Saldo", "Počátek", "Konec"};
    for (const auto* c : columns) {
        header.push_back(columnHeading(*c));
    }
    header.push_back("Poznámka");
    header.push_back("Upozornění");
    rows.push_back(header);
    for (DateTime d = result.periodFrom; d <= result.periodTo; d += 1.0) {
        const DaySummary& day = result.day(dayOfMonth(d));
        std::vector<std::string> row = {cardDateText(d), formatDateTime("ddd", d),
                                        dayTypeText(day.dayType)};
        for (auto& v : dayValues(day, columns)) {
            row.push_back(std::move(v));
        }
        row.push_back(day.remark.text());
        row.push_back(day.note.text());
        rows.push_back(row);
    }
    std::vector<std::string> totals = {"CELKEM", "", ""};
    for (auto& v : totalValues(result, columns)) {
        totals.push_back(std::move(v));
    }
    totals.push_back("");
    totals.push_back("");
    rows.push_back(totals);

    std::string text = "\xEF\xBB\xBF";
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            text += (i > 0 ? ";" : "") + csvField(row[i]);
        }
        text += "\r\n";
    }
    return text;
}

} // namespace qtr
