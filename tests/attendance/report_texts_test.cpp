// The printed attendance texts (report, card printout, code list), the report
// columns and their check, the report table's cells and edits, the register line.

#include "attendance/card_checks.h"
#include "attendance/card_text.h"
#include "attendance/evaluation.h"
#include "attendance/report_layout.h"
#include "attendance/report_table.h"
#include "attendance/report_texts.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qtr {
namespace {

DateTime at(const char* text) {
    DateTime d = 0;
    EXPECT_TRUE(parseDateTime(text, d)) << text;
    return d;
}

CardLine line(const char* start, const char* end, int code) {
    CardLine l;
    l.start = start[0] != 0 ? at(start) : 0.0;
    l.end = end[0] != 0 ? at(end) : 0.0;
    l.code = static_cast<std::uint8_t>(code);
    return l;
}

ReportRowItem item(int code, const ReportColumnDef& column) {
    return {static_cast<std::uint8_t>(code), column};
}

// The worked example: 30.4.-5.5.2024 with 1.5. a holiday, a limited break, a night
// shift, a doctor, a Saturday shift and an empty Sunday.
struct WorkedExample {
    AttendanceCodeList codes = AttendanceCodeList::defaults();
    AttendanceCard card;
    ReportRowDefinition columns;
    EvaluationResult result;

    WorkedExample() {
        card.applyPattern(ShiftPattern::Morning);
        card.dateFrom = at("30.04.2024");
        card.dateTo = at("05.05.2024");
        for (const CardLine& l : {line("30.04.2024 06:00", "30.04.2024 10:00", 1),
                                  line("30.04.2024 10:00", "30.04.2024 10:45", 4),
                                  line("30.04.2024 10:45", "30.04.2024 14:45", 1),
                                  line("01.05.2024 08:00", "01.05.2024 12:00", 1),
                                  line("02.05.2024 22:00", "03.05.2024 06:00", 1),
                                  line("03.05.2024 07:00", "03.05.2024 09:00", 3),
                                  line("03.05.2024 09:00", "03.05.2024 14:00", 1),
                                  line("04.05.2024 06:00", "04.05.2024 14:00", 1)}) {
            card.appendLine(l);
        }
        columns.append(item(1, codes.record(1)->column));
        columns.append(item(3, makeColumn("Lékař", 7, 'L')));
        columns.append(item(4, codes.record(4)->column));
        for (int fixed = 101; fixed <= 106; ++fixed) {
            columns.append(item(fixed, *fixedItemColumn(fixed)));
        }
        const DateTime holiday = at("01.05.2024");
        EXPECT_TRUE(evaluationGate(
            card, codes, [holiday](DateTime d) { return d == holiday; }, card.dateFrom, card.dateTo,
            result));
    }
};

TEST(ReportTexts, TimeTextsOfMinutes) {
    const struct {
        int minutes;
        const char* clock;
        const char* dayClock;
        const char* shortNorm;
    } cases[] = {
        {0, "00:00", "00:00", "00:00"},        {59, "00:59", "00:59", "00:59"},
        {480, "08:00", "08:00", "08:00"},      {-30, "-00:30", "-00:30", "-00:30"},
        {1439, "23:59", "23:59", "23:59"},     {1440, "24:00", "01:00:00", "#####"},
        {1500, "25:00", "01:01:00", "#####"}, // a norm of 25 hours
        {9630, "160:30", "06:16:30", "#####"}, {-1500, "-25:00", "-01:01:00", "-25:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clockText(c.minutes), c.clock) << c.minutes;
        EXPECT_EQ(dayClockText(c.minutes), c.dayClock) << c.minutes;
        EXPECT_EQ(shortNormText(c.minutes), c.shortNorm) << c.minutes;
    }
}

TEST(ReportTexts, ColumnLayoutPadsByAlignmentAndCuts) {
    const struct {
        const char* text;
        int width;
        char alignment;
        const char* laidOut;
    } cases[] = {
        {"08:00", 8, 'P', "   08:00"},   {"08:00", 8, 'L', "08:00   "},
        {"Přestávka", 6, 'P', "Přestá"}, {"Přestávka", 6, 'L', "Přestá"},
        {"Výkon", 6, 'x', " Výkon"},     {"abc", 0, 'P', ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            layOutToColumn(c.text, makeColumn("", static_cast<std::uint8_t>(c.width), c.alignment)),
            c.laidOut)
            << c.text << " " << c.width << c.alignment;
    }
}

TEST(ReportTexts, TheReportOfTheWorkedExampleLineByLine) {
    const WorkedExample x;
    const std::string rule(85, '-');
    const std::vector<std::string> expected = {
        "VÝKAZ DOCHÁZKY",
        "",
        "Jan Novák",
        "30.04.2024 - 05.05.2024",
        "bez plánu práce 0",
        rule,
        "| Den směny    Na prac.|Lékař  |Přest.| Norma| Výkon| Saldo|Počátek|  Konec|Poznámka|",
        rule,
        "|30.04.2024 út|   08:00|  -    | 00:30| 08:00| 08:00|   -  |  06:00|  14:45|        "
        "|omez.",
        "|01.05.2024 st|   04:00|  -    |   -  |   -  | 04:00| 04:00|  08:00|  12:00| svátek!|",
        "|02.05.2024 čt|   08:00|  -    |   -  | 08:00| 08:00|   -  |  22:00|  06:00|        "
        "|noční",
        "|03.05.2024 pá|   05:00|02:00  |   -  | 08:00| 07:00|-01:00|  07:00|  14:00|        |",
        "|04.05.2024 so|   08:00|  -    |   -  |   -  | 08:00| 08:00|  06:00|  14:00| sobota!|",
        "|05.05.2024 ne|     -  |  -    |   -  |   -  |   -  |   -  |    -  |    -  |        |",
        rule,
        "| CELKEM:         33:00|2:00   |  0:30| 24:00| 35:00| 11:00|       |       |        |",
        rule,
    };
    const auto lines = attendanceReportLines(kReportTitle, "Jan Novák", x.result, x.columns);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    }
}

TEST(ReportTexts, AnEmptyRowDefinitionGivesDatesAndTotalsOnly) {
    EvaluationResult result;
    result.periodFrom = at("01.05.2024");
    result.periodTo = at("03.05.2024");
    const std::string rule(15, '-');
    EXPECT_EQ(
        attendanceReportLines(kReportTitle, "Jan", result, ReportRowDefinition{}),
        (std::vector<std::string>{"VÝKAZ DOCHÁZKY", "", "Jan", "01.05.2024 - 03.05.2024", rule,
                                  "| Den směny    ", rule, "|01.05.2024 st|", "|02.05.2024 čt|",
                                  "|03.05.2024 pá|", rule, "| CELKEM:      ", rule}));
    // A one-day period has an empty line for its dates.
    result.periodTo = result.periodFrom;
    EXPECT_EQ(attendanceReportLines(kReportTitle, "Jan", result, ReportRowDefinition{})[3], "");
}

TEST(ReportTexts, TheCardPrintoutFramesEveryLine) {
    const AttendanceCodeList codes = AttendanceCodeList::defaults();
    AttendanceCard card;
    card.dateFrom = at("02.05.2024");
    card.dateTo = at("03.05.2024");
    CardLine shift = line("02.05.2024 06:00", "02.05.2024 14:00", 1);
    shift.shiftDay = at("02.05.2024");
    shift.duration = shift.end - shift.start;
    CardLine noStart = line("", "03.05.2024 15:30", 2);
    noStart.note.setText("poznámka delší než deset"); // kept as 17, printed as 10
    CardLine long_ = line("02.05.2024 06:00", "03.05.2024 07:00", 42);
    long_.shiftDay = at("02.05.2024");
    long_.duration = long_.end - long_.start;
    for (const CardLine& l : {shift, noStart, long_}) {
        card.appendLine(l);
    }
    const std::string rule = "|" + std::string(89, '-') + "|";
    EXPECT_EQ(
        cardPrintoutLines(kCardPrintoutTitle, "Jan Novák", card, codes),
        (std::vector<std::string>{
            "DOCHÁZKOVÁ KARTA", "", "Jan Novák", "02.05.2024 - 03.05.2024", rule,
            "| Datum         | Začátek      | Konec        | Doba  | Druh                 | "
            "Poznámka   |",
            rule,
            "| 02.05.2024 čt | 02.05. 06:00 | 02.05. 14:00 | 08:00 | směna                | "
            "           |",
            "|               |              | 03.05. 15:30 | 00:00 | služebně             | "
            "poznámka d |",
            "| 02.05.2024 čt | 02.05. 06:00 | 03.05. 07:00 | #1:01:00 | ? 42 ?               | "
            "           |",
            rule}));
}

TEST(ReportTexts, ThePrintedCodeList) {
    AttendanceCodeList codes = AttendanceCodeList::defaults();
    AttendanceCodeRecord own = AttendanceCodeRecord::blank();
    own.code = 25;
    own.name.setText("školení mimo pracoviště"); // cut to 20
    own.countsToPerformance = 0;
    own.minimum = encodeTime(0, 15, 0);
    own.column = makeColumn("Škol.", 5, 'L');
    codes.append(own);
    const std::string rule(70, '-');
    EXPECT_EQ(codeListLines(codes, at("07.05.2024 13:14")),
              (std::vector<std::string>{
                  "ČÍSELNÍK DOCHÁZKY", "", "Tisk: 07.05.2024", rule,
                  "kód      název           zap. min.  max.   sestava", rule,
                  "001                směna ANO  00:00 12:00 (Na prac. [8/P])",
                  "002             služebně ANO  00:00 12:00 (Služebně [8/P])",
                  "003                lékař ANO  00:00 12:00 (Lékař [7/P])",
                  "004            přestávka NE   00:00 00:30 (Přest. [6/P])",
                  "005                volný ANO  00:00 12:00 (volný [7/P])",
                  "010             dovolená ANO  00:00 00:00 (Dovol. [8/P])",
                  "011                nemoc ANO  00:00 00:00 (Nemoc [8/P])",
                  "025 školení mimo pracovi NE   00:15 12:00 (Škol. [5/L])", rule}));
}

TEST(ReportLayout, ItemsPreviewAndAppendingByName) {
    AttendanceCodeList codes = AttendanceCodeList::defaults();
    const auto names = reportItemNames(codes);
    ASSERT_EQ(names.size(), 13u);
    EXPECT_EQ(names[0], "Norma");
    EXPECT_EQ(names[5], "Poznámka");
    EXPECT_EQ(names[6], "směna");
    EXPECT_EQ(names[12], "nemoc");

    ReportRowDefinition columns;
    EXPECT_TRUE(appendReportItem(columns, codes, "Výkon"));
    EXPECT_EQ(rowPreviewText(columns), "[ Výkon]");
    EXPECT_TRUE(appendReportItem(columns, codes, "přestávka"));
    EXPECT_TRUE(appendReportItem(columns, codes, "Výkon"));  // the same item twice
    EXPECT_FALSE(appendReportItem(columns, codes, "výkon")); // names are case-sensitive
    EXPECT_EQ(columns.count(), 3);
    EXPECT_EQ(columns.at(2).itemCode, 4);
    EXPECT_EQ(rowPreviewText(columns), "[ Výkon][Přest.][ Výkon]");

    // A code named like a fixed item's heading: the fixed item is found first.
    AttendanceCodeRecord clash = AttendanceCodeRecord::blank();
    clash.code = 30;
    clash.name.setText("Saldo");
    clash.column = makeColumn("moje saldo", 4, 'L');
    codes.append(clash);
    EXPECT_TRUE(appendReportItem(columns, codes, "Saldo"));
    EXPECT_EQ(columns.at(4).itemCode, 103);
    EXPECT_EQ(rowPreviewText(columns), "[ Výkon][Přest.][ Výkon][ Saldo]");

    while (columns.count() < 25) {
        ASSERT_TRUE(appendReportItem(columns, codes, "nemoc"));
    }
    EXPECT_FALSE(appendReportItem(columns, codes, "nemoc"));
    EXPECT_TRUE(columns.remove(1));
    EXPECT_EQ(columns.at(1).itemCode, 4);
    EXPECT_FALSE(columns.remove(25));
    EXPECT_EQ(columns.count(), 24);
}

TEST(ReportLayout, TheCheckDropsColumnsOfGoneCodesAndRefreshesTheRest) {
    AttendanceCodeList codes = AttendanceCodeList::defaults();
    AttendanceCodeRecord own = AttendanceCodeRecord::blank();
    own.code = 25;
    own.name.setText("školení");
    own.column = makeColumn("Škol.", 5, 'L');
    codes.append(own);
    ReportRowDefinition columns;
    for (const char* name : {"školení", "Norma", "přestávka", "školení", "Konec"}) {
        ASSERT_TRUE(appendReportItem(columns, codes, name));
    }
    // The stored look of a fixed item was changed (an older file): the check restores it.
    ReportRowDefinition old;
    for (int i = 1; i <= columns.count(); ++i) {
        ReportRowItem it = columns.at(i);
        if (it.itemCode == 105) {
            it.column = makeColumn("Odchod", 9, 'L');
        }
        old.append(it);
    }
    columns = old;
    // Code 25 is deleted, code 4 gets a new heading.
    codes.remove(codes.find(25));
    AttendanceCodeRecord pause;
    codes.get(codes.find(4), pause);
    pause.column.heading.setText("Pauza");
    codes.put(codes.find(4), pause);

    const auto dropped = checkRowDefinition(columns, codes);
    ASSERT_EQ(dropped.size(), 2u);
    EXPECT_EQ(droppedColumnText(dropped[0]), "Z definice řádku bylo vypuštěno: \r\n25 - Škol.");
    EXPECT_EQ(dropped[1].itemCode, 25);
    ASSERT_EQ(columns.count(), 3);
    EXPECT_EQ(rowPreviewText(columns), "[ Norma][ Pauza][  Konec]");
    EXPECT_TRUE(checkRowDefinition(columns, codes).empty());
}

TEST(ReportTable, HeadingsAndTheCellsOfADay) {
    const WorkedExample x;
    const auto headings = reportTableHeadings(x.codes);
    EXPECT_EQ(headings.size(), 14u);
    EXPECT_EQ(headings[6], "Poznámka");
    EXPECT_EQ(headings[7], "Na prac.");
    std::string editable;
    for (int c = 0; c < 14; ++c) {
        editable += reportTableColumnEditable(c) ? 'E' : '.';
    }
    EXPECT_EQ(editable, "..E..EEEEEEEEE");

    const auto join = [](const std::vector<std::string>& cells) {
        std::string s;
        for (const auto& c : cells) {
            s += c + "|";
        }
        return s;
    };
    EXPECT_EQ(join(reportTableRow(x.result, x.codes, 30)),
              "30.04. 06:00 út|30.04. 14:45 út|08:00|08:00|00:00|omez.||08:00|00:00|00:00|00:30|"
              "00:00|00:00|00:00|");
    EXPECT_EQ(join(reportTableRow(x.result, x.codes, 5)),
              "05.05. ne||00:00|00:00|00:00|||00:00|00:00|00:00|00:00|00:00|00:00|00:00|");
    EXPECT_EQ(join(reportTableRow(x.result, x.codes, 10)), "||||||||||||||");
    EXPECT_EQ(periodDateOfDay(x.result, 2), at("02.05.2024"));
    EXPECT_EQ(periodDateOfDay(x.result, 6), 0.0);
}

TEST(ReportTable, TypedClockValues) {
    const struct {
        const char* text;
        int minutes; // -1: refused
    } cases[] = {{"48:00", 2880}, {"00:00", 0},  {"08:30", 510}, {"49:00", -1}, {"8:00", -1},
                 {"08:60", -1},   {"08:5x", -1}, {"08.30", -1},  {"008:0", -1}, {"", -1}};
    for (const auto& c : cases) {
        const auto m = parseClockValue(c.text);
        EXPECT_EQ(m ? *m : -1, c.minutes) << c.text;
    }
}

TEST(ReportTable, EditsReachTheDayAndTheTotalsAfterTheSummary) {
    WorkedExample x;
    const int ourCode = kReportTableFirstCodeColumn + x.codes.find(10) - 1; // "dovolená"
    const std::string longNote(45, 'x');
    const struct {
        int day;
        int column;
        const char* text;
        const char* refusal;
    } edits[] = {
        {30, kReportTableNormColumn, "25:00", "Norma dne může být nejvýše 23:59."},
        {30, kReportTableNormColumn, "24:00", "Norma dne může být nejvýše 23:59."},
        {30, kReportTableNormColumn, "8:00",
         "Údaj musí mít tvar hh:mm (hodiny 0 až 48, minuty "
         "0 až 59)."},
        {30, 3, "01:00", "Tento údaj nelze opravit."},      // "Výkon" follows from the rest
        {6, ourCode, "08:00", "Tento údaj nelze opravit."}, // not a day of the period
        {30, kReportTableNormColumn, "07:30", ""},
        {5, ourCode, "48:00", ""},
        {5, kReportTableNoteColumn, longNote.c_str(), ""},
        {5, kReportTableRemarkColumn, "dovolená", ""},
    };
    for (const auto& e : edits) {
        EXPECT_EQ(storeReportTableEdit(x.result, x.codes, e.day, e.column, e.text), e.refusal)
            << e.day << "/" << e.column << " " << e.text;
    }
    EXPECT_EQ(x.result.day(30).normMinutes, 450);
    EXPECT_EQ(x.result.day(30).balanceMinutes, 30); // recomputed at once
    EXPECT_EQ(x.result.day(5).performanceMinutes, 2880);
    EXPECT_EQ(x.result.day(5).note.text(), std::string(40, 'x'));
    EXPECT_EQ(x.result.day(5).remark.text(), "dovolená");
    EXPECT_EQ(x.result.totalPerformanceMinutes, 2100); // until the table closes
    summarizePeriod(x.result, x.codes);
    EXPECT_EQ(x.result.totalPerformanceMinutes, 2100 + 2880);
    EXPECT_EQ(x.result.totalNormMinutes, 1440 - 30);
    EXPECT_EQ(x.result.day(5).remark.text(), "neděle!"); // work on a Sunday is marked
    EXPECT_EQ(x.result.totalCodeSums.get(10), 2880);
}

TEST(CardRegisterList, TheLineKeepsTheKeyAtCharacter46) {
    AttendanceCard card;
    card.dateFrom = at("01.05.2024");
    card.dateTo = at("31.05.2024");
    card.keyNumber = KeyNumber::parse("0100000012345A");
    const std::string name30 = "Žofie Řeháčková-Šťastná Ďáblic"; // 30 characters
    const struct {
        std::string name;
        std::string line;
    } cases[] = {
        {"Jan Novák", "Jan Novák 01.05.-31.05." + std::string(21, ' ') + " 0100000012345A"},
        {name30, name30 + " 01.05.-31.05. 0100000012345A"},
        {"?", "? 01.05.-31.05." + std::string(29, ' ') + " 0100000012345A"},
    };
    for (const auto& c : cases) {
        const std::string l = registerListLine(c.name, card);
        EXPECT_EQ(l, c.line);
        EXPECT_EQ(keyOfRegisterLine(l), card.keyNumber) << l;
    }
    EXPECT_TRUE(keyOfRegisterLine("krátký řádek").isZero());
}

} // namespace
} // namespace qtr
