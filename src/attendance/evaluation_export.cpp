#include "attendance/evaluation_export.h"

#include "attendance/attendance_time.h"
#include "attendance/card_text.h"
#include "base/win1250.h"

#include <algorithm>

namespace qtr {
namespace {

// The codes shown as columns: in the text, those with minutes in the period; in the
// table for spreadsheets every code of the list, so its columns stay the same.
std::vector<const AttendanceCodeRecord*> codeColumns(const AttendanceCodeList& codes,
                                                     const EvaluationResult& result, bool all) {
    std::vector<const AttendanceCodeRecord*> columns;
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

std::string clock(DateTime t) {
    return t == 0.0 ? "" : formatDateTime("hh:nn", t);
}

std::string dayTypeText(char type) {
    return type == ' ' ? "" : std::string(1, type);
}

// One value per column of the text: right-aligned to the column's width.
class TextRow {
public:
    explicit TextRow(std::string first) : text_(std::move(first)) {}
    TextRow& operator()(const std::string& value, std::size_t width) {
        text_ += " " + padLeft(value, width);
        return *this;
    }
    std::string text() const { return text_; }

private:
    std::string text_;
};

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

} // namespace

std::vector<std::string> evaluationTextLines(const std::string& name, const AttendanceCard& card,
                                             const EvaluationResult& result,
                                             const AttendanceCodeList& codes) {
    const auto columns = codeColumns(codes, result, false);
    const auto width = [](const AttendanceCodeRecord* c) {
        return std::max<std::size_t>(7, utf8Length(columnHeading(*c)));
    };
    std::vector<std::string> lines = {
        "Vyhodnocení docházky: " + name + " (" + result.keyNumber.text() + ")",
        "Zpracování od - do: " + cardDateText(result.periodFrom) + " - " +
            cardDateText(result.periodTo),
        "Platná od - do: " + cardDateText(card.dateFrom) + " - " + cardDateText(card.dateTo),
        usualStartText(card) + "  " + usualEndText(card) + "  " + fillMissingText(card),
        result.planText.text(),
    };
    TextRow heading(padRight("Datum", 16));
    heading("Norma", 7)("Výkon", 7)("Saldo", 7)("Počátek", 7)("Konec", 7);
    for (const auto* c : columns) {
        heading(columnHeading(*c), width(c));
    }
    lines.push_back(heading.text() + "  Poznámka");
    for (DateTime d = result.periodFrom; d <= result.periodTo; d += 1.0) {
        const DaySummary& day = result.day(dayOfMonth(d));
        TextRow row(formatDateTime("dd.mm.yyyy ddd", d) + " " + day.dayType);
        row(hoursMinutesText(day.normMinutes), 7)(hoursMinutesText(day.performanceMinutes), 7)(
            hoursMinutesText(day.balanceMinutes), 7)(clock(day.firstStart), 7)(clock(day.lastEnd),
                                                                               7);
        for (const auto* c : columns) {
            row(hoursMinutesText(day.codeSums.get(c->code)), width(c));
        }
        std::string remarks = day.remark.text();
        if (!day.note.empty()) {
            remarks += (remarks.empty() ? "" : " ") + day.note.text();
        }
        lines.push_back(remarks.empty() ? row.text() : row.text() + "  " + remarks);
    }
    TextRow totals(padRight("CELKEM", 16));
    totals(hoursMinutesText(result.totalNormMinutes),
           7)(hoursMinutesText(result.totalPerformanceMinutes),
              7)(hoursMinutesText(result.totalBalanceMinutes), 7)("", 7)("", 7);
    for (const auto* c : columns) {
        totals(hoursMinutesText(result.totalCodeSums.get(c->code)), width(c));
    }
    lines.push_back(totals.text());
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
        std::vector<std::string> row = {cardDateText(d),
                                        formatDateTime("ddd", d),
                                        dayTypeText(day.dayType),
                                        hoursMinutesText(day.normMinutes),
                                        hoursMinutesText(day.performanceMinutes),
                                        hoursMinutesText(day.balanceMinutes),
                                        clock(day.firstStart),
                                        clock(day.lastEnd)};
        for (const auto* c : columns) {
            row.push_back(hoursMinutesText(day.codeSums.get(c->code)));
        }
        row.push_back(day.remark.text());
        row.push_back(day.note.text());
        rows.push_back(row);
    }
    std::vector<std::string> totals = {"CELKEM",
                                       "",
                                       "",
                                       hoursMinutesText(result.totalNormMinutes),
                                       hoursMinutesText(result.totalPerformanceMinutes),
                                       hoursMinutesText(result.totalBalanceMinutes),
                                       "",
                                       ""};
    for (const auto* c : columns) {
        totals.push_back(hoursMinutesText(result.totalCodeSums.get(c->code)));
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
