#include "attendance/report_texts.h"

#include "attendance/attendance_time.h"
#include "attendance/card_text.h"
#include "docs/report_text.h"

#include <cstdlib>

namespace qtr {
namespace {

// At least two digits, leading zeros.
std::string twoDigits(long long n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? std::string(2 - s.size(), '0') + s : s;
}

std::string sign(int minutes) {
    return minutes < 0 ? "-" : "";
}

long long magnitude(int minutes) {
    return std::llabs(static_cast<long long>(minutes));
}

// A day value of the report: "00:00" stands out less than a dash among the numbers.
std::string zeroAsDash(std::string text) {
    return text == "00:00" ? "  -  " : text;
}

// "hh:nn" of a date and time of the evaluation; 0 gives "00:00" (then a dash).
std::string timeOfDateText(DateTime value) {
    return value == 0.0 ? "00:00" : timeOfDayText(value);
}

std::string dayValue(const DaySummary& day, const ReportRowItem& item) {
    switch (item.itemCode) {
    case 101:
        return zeroAsDash(dayClockText(day.normMinutes));
    case 102:
        return zeroAsDash(clockText(day.performanceMinutes));
    case 103:
        return zeroAsDash(clockText(day.balanceMinutes));
    case 104:
        return zeroAsDash(timeOfDateText(day.firstStart));
    case 105:
        return zeroAsDash(timeOfDateText(day.lastEnd));
    case 106:
        return day.remark.text();
    default:
        return zeroAsDash(clockText(day.codeSums.get(item.itemCode)));
    }
}

std::string totalValue(const EvaluationResult& result, const ReportRowItem& item) {
    switch (item.itemCode) {
    case 101:
        return hoursMinutesText(result.totalNormMinutes);
    case 102:
        return hoursMinutesText(result.totalPerformanceMinutes);
    case 103:
        return hoursMinutesText(result.totalPerformanceMinutes - result.totalNormMinutes);
    case 104:
    case 105:
    case 106:
        return "";
    default:
        return hoursMinutesText(result.totalCodeSums.get(item.itemCode));
    }
}

// A card's alignment byte as the code list prints it; a byte of a damaged file that is
// no letter shows as "?".
char alignmentCharacter(std::uint8_t alignment) {
    return alignment >= 0x20 && alignment < 0x7F ? static_cast<char>(alignment) : '?';
}

} // namespace

std::string clockText(int minutes) {
    const long long m = magnitude(minutes);
    return sign(minutes) + twoDigits(m / 60) + ":" + twoDigits(m % 60);
}

std::string dayClockText(int minutes) {
    const long long m = magnitude(minutes);
    const long long days = m / 1440;
    return sign(minutes) + (days != 0 ? twoDigits(days) + ":" : "") + twoDigits(m % 1440 / 60) +
           ":" + twoDigits(m % 60);
}

std::string shortNormText(int minutes) {
    return minutes < 1440 ? clockText(minutes) : "#####";
}

std::string layOutToColumn(std::string_view text, const ReportColumnDef& column) {
    return column.leftAligned() ? padRight(text, column.width) : padLeft(text, column.width);
}

std::vector<std::string> attendanceReportLines(const std::string& title,
                                               const std::string& holderName,
                                               const EvaluationResult& result,
                                               const ReportRowDefinition& columns) {
    std::string headings;
    for (int i = 1; i <= columns.count(); ++i) {
        const ReportColumnDef& c = columns.at(i).column;
        headings += layOutToColumn(c.heading.text(), c) + "|";
    }
    const std::string rule(utf8Length(headings) + 15, '-');

    std::vector<std::string> lines = {title, "", holderName};
    lines.push_back(result.periodFrom < result.periodTo
                        ? cardDateText(result.periodFrom) + " - " + cardDateText(result.periodTo)
                        : "");
    if (!result.planText.empty()) {
        lines.push_back(result.planText.text());
    }
    lines.insert(lines.end(), {rule, "| Den směny    " + headings, rule});
    // A period the evaluation refuses has no day rows to print (and no valid days).
    if (intervalValid(result.periodFrom, result.periodTo)) {
        for (DateTime d = dayOf(result.periodFrom); d <= result.periodTo; d += 1.0) {
            const DaySummary& day = result.day(dayOfMonth(d));
            std::string line = "|" + shiftDayText(d) + "|";
            for (int i = 1; i <= columns.count(); ++i) {
                line += layOutToColumn(dayValue(day, columns.at(i)), columns.at(i).column) + "|";
            }
            lines.push_back(line + day.note.text());
        }
    }
    std::string totals = "| CELKEM:      ";
    for (int i = 1; i <= columns.count(); ++i) {
        totals += layOutToColumn(totalValue(result, columns.at(i)), columns.at(i).column) + "|";
    }
    lines.insert(lines.end(), {rule, totals, rule});
    return lines;
}

std::vector<std::string> cardPrintoutLines(const std::string& title, const std::string& holderName,
                                           const AttendanceCard& card,
                                           const AttendanceCodeList& codes) {
    const std::string heading = padRight("Datum", 13) + " | " + padRight("Začátek", 12) + " | " +
                                padRight("Konec", 12) + " | " + padRight("Doba", 5) + " | " +
                                padRight("Druh", 20) + " | " + padRight("Poznámka", 10);
    const std::string rule = "|" + std::string(utf8Length(heading) + 2, '-') + "|";
    std::vector<std::string> lines = {
        title,      "",
        holderName, cardDateText(card.dateFrom) + " - " + cardDateText(card.dateTo),
        rule,       "| " + heading + " |",
        rule};
    for (int i = 1; i <= card.lineCount(); ++i) {
        const CardLine& l = card.line(i);
        lines.push_back("| " + padRight(shiftDayText(l.shiftDay), 13) + " | " +
                        padRight(cardTimeText(l.start), 12) + " | " +
                        padRight(cardTimeText(l.end), 12) + " | " + cardDurationText(l.duration) +
                        " | " + padRight(codes.codeName(l.code), 20) + " | " +
                        padRight(l.note.text(), 10) + " |");
    }
    lines.push_back(rule);
    return lines;
}

std::vector<std::string> codeListLines(const AttendanceCodeList& codes, DateTime today) {
    const std::string rule(70, '-');
    std::vector<std::string> lines = {"ČÍSELNÍK DOCHÁZKY",
                                      "",
                                      "Tisk: " + cardDateText(today),
                                      rule,
                                      "kód      název           zap. min.  max.   sestava",
                                      rule};
    for (int i = 1; i <= codes.count(); ++i) {
        const AttendanceCodeRecord& c = codes.at(i);
        std::string code = std::to_string(c.code);
        code.insert(0, 3 - code.size(), '0');
        lines.push_back(code + " " + padLeft(c.name.text(), 20) + " " +
                        (c.counts() ? "ANO " : "NE  ") + " " + timeOfDayText(c.minimum) + " " +
                        timeOfDayText(c.maximum) + " (" + c.column.heading.text() + " [" +
                        std::to_string(c.column.width) + "/" +
                        alignmentCharacter(c.column.alignment) + "])");
    }
    lines.push_back(rule);
    return lines;
}

} // namespace qtr
