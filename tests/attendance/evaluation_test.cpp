// The minutes of a value, the processing period rules and the evaluation of a card.

#include "attendance/attendance_time.h"
#include "attendance/card_building.h"
#include "attendance/card_checks.h"
#include "attendance/card_text.h"
#include "attendance/evaluation.h"
#include "attendance/evaluation_export.h"
#include "attendance/report_texts.h"
#include "calendar/holiday_table.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>

namespace qtr {
namespace {

DateTime date(const char* ddmmyyyy) {
    DateTime d = 0;
    EXPECT_TRUE(parseDateTime(ddmmyyyy, d)) << ddmmyyyy;
    return d;
}

TEST(AttendanceTime, MinutesOfAValueDropTheSecondsAfterMillisecondRounding) {
    const struct {
        DateTime value;
        int minutes;
    } cases[] = {
        {0.0, 0},
        {encodeTime(8, 0, 0), 480},
        {encodeTime(8, 0, 59), 480},                        // seconds dropped, not rounded
        {encodeTime(7, 59, 59, 999), 479},                  // a whole millisecond stays
        {encodeTime(7, 59, 59, 999) + 0.6 / 86400000, 480}, // rounded to the next millisecond
        {1.0 + encodeTime(1, 0, 0), 1500},                  // whole days count 1440 each
        {1.0 - 0.1 / 86400000, 1440},                       // rounds up to a whole day
        {-encodeTime(0, 30, 0), -30},
        {std::nan(""), 0},
        {1e300, 1440000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(minutesOf(c.value), c.minutes) << c.value;
    }
    const struct {
        int minutes;
        const char* text;
    } texts[] = {{0, "0:00"},      {59, "0:59"},   {480, "8:00"},
                 {9630, "160:30"}, {-30, "-0:30"}, {-1441, "-24:01"}};
    for (const auto& t : texts) {
        EXPECT_EQ(hoursMinutesText(t.minutes), t.text);
    }
}

TEST(ProcessingPeriod, ValidIntervals) {
    const struct {
        const char* from;
        const char* to;
        bool valid;
    } cases[] = {
        {"01.05.2024 08:00", "01.05.2024 16:00", true}, // one day, whole days compared
        {"02.05.2024", "01.05.2024", false},
        {"01.01.2024", "31.01.2024", true},
        {"01.02.2024", "29.02.2024", true},
        {"31.03.2024", "30.04.2024", true}, // 31 days, each its own day of month
        {"15.01.2023", "14.02.2023", true},
        {"01.03.2024", "01.04.2024", false}, // the same day of month
        {"01.01.2024", "02.02.2024", false}, // more than 31 days apart
        // Two days inside the period on one day row would be summed together and
        // counted twice in the totals:
        {"01.04.2024", "02.05.2024", false}, // 1.4./1.5. and 2.4./2.5.
        {"31.01.2023", "01.03.2023", false}, // 1.2./1.3.
        {"30.01.2023", "28.02.2023", true},
        {"00.00.0000", "01.01.2024", false},
    };
    for (const auto& c : cases) {
        DateTime from = 0;
        DateTime to = 0;
        parseDateTime(c.from, from);
        parseDateTime(c.to, to);
        EXPECT_EQ(intervalValid(from, to), c.valid) << c.from << " - " << c.to;
    }
    EXPECT_FALSE(intervalValid(std::nan(""), date("01.01.2024")));

    const struct {
        const char *cardFrom, *cardTo, *from, *to;
        bool overlap;
    } overlaps[] = {
        {"01.05.2024", "31.05.2024", "31.05.2024 12:00", "10.06.2024", true},
        {"01.05.2024", "31.05.2024", "01.06.2024", "10.06.2024", false},
        {"01.05.2024", "31.05.2024", "20.04.2024", "01.05.2024", true},
        {"01.05.2024", "31.05.2024", "10.05.2024", "09.05.2024", false}, // period reversed
        {"31.05.2024", "01.05.2024", "10.05.2024", "11.05.2024", false}, // card reversed
    };
    for (const auto& o : overlaps) {
        EXPECT_EQ(intervalsOverlap(date(o.cardFrom), date(o.cardTo), date(o.from), date(o.to)),
                  o.overlap)
            << o.from << " - " << o.to;
    }
}

class Evaluation : public ::testing::Test {
protected:
    void SetUp() override {
        card.keyNumber = KeyNumber::parse("0100000012345A");
        card.applyPattern(ShiftPattern::Morning);
    }

    void line(int code, const char* start, const char* end) {
        CardLine l;
        l.code = static_cast<std::uint8_t>(code);
        l.start = date(start);
        l.end = date(end);
        ASSERT_TRUE(card.appendLine(l));
    }

    bool run(const char* from, const char* to) {
        return evaluationGate(card, codes, isHoliday, date(from), date(to), result);
    }

    // "type norm performance balance first-last remark|note|code:minutes ..."
    std::string dayRow(int d) const {
        const DaySummary& s = result.day(d);
        std::string row = std::string(1, s.dayType) + " " + hoursMinutesText(s.normMinutes) + " " +
                          hoursMinutesText(s.performanceMinutes) + " " +
                          hoursMinutesText(s.balanceMinutes) + " " + clock(s.firstStart) + "-" +
                          clock(s.lastEnd) + " " + s.remark.text() + "|" + s.note.text() + "|";
        for (int i = 1; i <= s.codeSums.count(); ++i) {
            row += " " + std::to_string(s.codeSums.at(i).code) + ":" +
                   std::to_string(s.codeSums.at(i).minutes);
        }
        return row;
    }
    static std::string clock(DateTime t) { return t == 0.0 ? "" : formatDateTime("hh:nn", t); }

    std::string notes() const {
        std::string s;
        for (int i = 1; i <= card.lineCount(); ++i) {
            s += card.line(i).note.text() + ";";
        }
        return s;
    }

    AttendanceCard card;
    AttendanceCodeList codes = AttendanceCodeList::defaults();
    std::set<DateTime> holidays = {date("01.05.2024"), date("08.05.2024")};
    HolidayQuery isHoliday = [this](DateTime d) { return holidays.count(d) != 0; };
    EvaluationResult result;
};

// A week of May 2024 (1.5. a holiday on Wednesday, 4.5. Saturday, 5.5. Sunday), usual
// shift 06:00-14:00. Totals by hand: norm on 2., 3., 6., 7. = 4 x 480 = 1920; performance
// 480 + 435 + 0 + 480 + 0 + 480 + 479 = 2354; balance 2354 - 1920 = 434; code 1 =
// 480 + 435 + 480 + 480 + 240 = 2115, code 3 = 239, code 4 = 30 (45 limited to 30).
TEST_F(Evaluation, AWeekOfDayTypesLimitsNightShiftAndTotals) {
    line(1, "01.05.2024 06:00", "01.05.2024 14:00");
    line(1, "02.05.2024 06:00", "02.05.2024 10:00");
    line(4, "02.05.2024 10:00", "02.05.2024 10:45");
    line(1, "02.05.2024 10:45", "02.05.2024 14:00");
    line(1, "04.05.2024 06:00", "04.05.2024 14:00");
    line(1, "06.05.2024 22:00", "07.05.2024 06:00");
    line(1, "07.05.2024 07:00:00", "07.05.2024 11:00:59"); // 240: seconds dropped
    line(3, "07.05.2024 11:30:30", "07.05.2024 15:30:00"); // 3:59:30 = 239
    line(1, "08.05.2024 06:00", "08.05.2024 14:00");       // after the period
    ASSERT_TRUE(run("01.05.2024", "07.05.2024 23:59"));

    EXPECT_EQ(result.periodFrom, date("01.05.2024"));
    EXPECT_EQ(result.periodTo, date("07.05.2024"));
    EXPECT_EQ(result.keyNumber, card.keyNumber);
    EXPECT_EQ(result.planText.text(), "bez plánu práce 0");
    EXPECT_EQ(dayRow(1), "S 0:00 8:00 8:00 06:00-14:00 svátek!|| 1:480");
    EXPECT_EQ(dayRow(2), "  8:00 7:15 -0:45 06:00-14:00 |omez.| 1:435 4:30");
    EXPECT_EQ(dayRow(3), "  8:00 0:00 -8:00 - ||");
    EXPECT_EQ(dayRow(4), "s 0:00 8:00 8:00 06:00-14:00 sobota!|| 1:480");
    EXPECT_EQ(dayRow(5), "n 0:00 0:00 0:00 - ||");
    EXPECT_EQ(dayRow(6), "  8:00 8:00 0:00 22:00-06:00 |noční| 1:480");
    EXPECT_EQ(dayRow(7), "  8:00 7:59 -0:01 07:00-15:30 || 1:240 3:239");
    EXPECT_EQ(dayRow(8), "  0:00 0:00 0:00 - ||"); // outside the period: untouched
    EXPECT_EQ(result.totalNormMinutes, 1920);
    EXPECT_EQ(result.totalPerformanceMinutes, 2354);
    EXPECT_EQ(result.totalBalanceMinutes, 434);
    EXPECT_EQ(result.totalCodeSums.get(1), 2115);
    EXPECT_EQ(result.totalCodeSums.get(3), 239);
    EXPECT_EQ(result.totalCodeSums.get(4), 30);
    EXPECT_EQ(notes(), ";;omez.;;;noční;;;;");

    // A holiday without work and a Sunday with work.
    card.removeAllLines();
    line(1, "05.05.2024 06:00", "05.05.2024 14:00");
    ASSERT_TRUE(run("05.05.2024", "08.05.2024"));
    EXPECT_EQ(dayRow(5), "n 0:00 8:00 8:00 06:00-14:00 neděle!|| 1:480");
    EXPECT_EQ(dayRow(8), "S 0:00 0:00 0:00 - sv.||");
}

TEST_F(Evaluation, LinesOverMidnight) {
    // Code 1 into the next day counts whole, past the code's maximum.
    AttendanceCodeRecord shift;
    ASSERT_TRUE(codes.get(1, shift));
    shift.maximum = encodeTime(6, 0, 0);
    ASSERT_TRUE(codes.put(1, shift));
    line(1, "06.05.2024 22:00", "07.05.2024 06:00");
    ASSERT_TRUE(run("06.05.2024", "07.05.2024"));
    EXPECT_EQ(dayRow(6), "  8:00 8:00 0:00 22:00-06:00 |noční| 1:480");

    // The same with code 2, and a shift line over two midnights, fail the evaluation.
    card.removeAllLines();
    line(2, "06.05.2024 22:00", "07.05.2024 06:00");
    line(1, "09.05.2024 22:00", "11.05.2024 06:00");
    EXPECT_FALSE(run("06.05.2024", "11.05.2024"));
    EXPECT_EQ(dayRow(6), "  8:00 0:00 -8:00 22:00-06:00 |#přesah dnů|");
    EXPECT_EQ(dayRow(9), "  8:00 0:00 -8:00 22:00-06:00 |#přesah dnů|");
    EXPECT_EQ(notes(), "#přesah dnů;#přesah dnů;");

    // The night pattern's norm is 8 hours; equal usual times make no norm.
    card.removeAllLines();
    card.applyPattern(ShiftPattern::Night);
    ASSERT_TRUE(run("06.05.2024", "06.05.2024"));
    EXPECT_EQ(result.day(6).normMinutes, 480);
    card.usualEnd = card.usualStart + 3.0;
    ASSERT_TRUE(run("06.05.2024", "06.05.2024"));
    EXPECT_EQ(result.day(6).normMinutes, 0);
}

TEST_F(Evaluation, ACodeMissingFromTheListIsMarkedOnTheLineAndTheDay) {
    line(42, "06.05.2024 06:00", "06.05.2024 08:00");
    line(1, "06.05.2024 08:00", "06.05.2024 14:00");
    ASSERT_TRUE(run("06.05.2024", "06.05.2024"));
    EXPECT_EQ(dayRow(6), "  8:00 6:00 -2:00 06:00-14:00 |#číselník!| 1:360");
    EXPECT_EQ(notes(), "#číselník!;;");
    EXPECT_EQ(result.planText.text(), "bez plánu práce 0");
    card.planFlag = 1;
    ASSERT_TRUE(run("06.05.2024", "06.05.2024"));
    EXPECT_EQ(result.planText.text(), "bez plánu práce 1");
}

TEST_F(Evaluation, TheGateRefusesACardWithoutTimesAndABadPeriod) {
    line(1, "06.05.2024 06:00", "06.05.2024 14:00");
    CardLine open;
    open.start = date("07.05.2024 06:00");
    ASSERT_TRUE(card.appendLine(open));
    result.totalNormMinutes = 12345;
    EXPECT_FALSE(run("06.05.2024", "07.05.2024"));
    EXPECT_EQ(result.totalNormMinutes, 12345); // nothing evaluated
    EXPECT_EQ(notes(), ";#nelze!;");
    ASSERT_TRUE(card.deleteLine(2));
    EXPECT_FALSE(run("31.01.2023", "01.03.2023"));
    EXPECT_TRUE(run("06.05.2024", "07.05.2024"));
}

TEST_F(Evaluation, EditedDaysAreRecomputedAndTheTotalsRecounted) {
    line(1, "06.05.2024 06:00", "06.05.2024 14:00");
    line(4, "07.05.2024 10:00", "07.05.2024 10:20");
    ASSERT_TRUE(run("06.05.2024", "07.05.2024"));
    ASSERT_TRUE(result.day(7).codeSums.add(10, 300) != nullptr); // holiday leave entered
    result.day(6).normMinutes = 420;
    recomputeDay(result, codes, 7);
    EXPECT_EQ(dayRow(7), "  8:00 5:00 -3:00 10:00-10:20 || 4:20 10:300");
    EXPECT_EQ(dayRow(6), "  7:00 8:00 0:00 06:00-14:00 || 1:480"); // not recomputed yet
    summarizePeriod(result, codes);
    summarizePeriod(result, codes); // twice: the totals are counted anew, not doubled
    EXPECT_EQ(dayRow(6), "  7:00 8:00 1:00 06:00-14:00 || 1:480");
    EXPECT_EQ(result.totalNormMinutes, 900);
    EXPECT_EQ(result.totalPerformanceMinutes, 780);
    EXPECT_EQ(result.totalBalanceMinutes, -120);
    EXPECT_EQ(result.totalCodeSums.get(10), 300);
    EXPECT_EQ(result.totalCodeSums.get(4), 20);

    // Edited values may pass what 16 bits hold (25 codes of up to 48:59 a day).
    ASSERT_TRUE(result.day(7).codeSums.set(10, 70000));
    recomputeDay(result, codes, 7);
    EXPECT_EQ(result.day(7).performanceMinutes, 70000);
    EXPECT_EQ(result.day(7).balanceMinutes, 70000 - 480);
}

TEST_F(Evaluation, TheHolidayTableAnswersForTheWholeDay) {
    HolidayTable table;
    HolidayRecord may1;
    may1.holidayDate = date("01.05.2024");
    ASSERT_TRUE(table.TryStore(may1).succeeded());
    isHoliday = holidayQuery(table);
    ASSERT_TRUE(run("30.04.2024", "02.05.2024"));
    EXPECT_EQ(result.day(30).dayType, ' ');
    EXPECT_EQ(result.day(1).dayType, 'S');
    EXPECT_EQ(result.day(2).dayType, ' ');
}

TEST(EvaluationExport, SpreadsheetFieldsWithSeparatorsAreQuoted) {
    AttendanceCodeList codes;
    AttendanceCodeRecord shift = AttendanceCodeRecord::blank();
    shift.code = 1;
    shift.name.setText("směna");
    ASSERT_TRUE(codes.append(shift)); // no heading: the name heads the column
    EvaluationResult result;
    result.periodFrom = result.periodTo = date("06.05.2024");
    result.day(6).remark.setText("opraveno; \"ručně\"");
    result.day(6).note.setText("ok");
    EXPECT_EQ(evaluationCsv(result, codes),
              "\xEF\xBB\xBF"
              "Datum;Den;Typ;Norma;Výkon;Saldo;Počátek;Konec;směna;Poznámka;Upozornění\r\n"
              "06.05.2024;po;;0:00;0:00;0:00;;;0:00;\"opraveno; \"\"ručně\"\"\";ok\r\n"
              "CELKEM;;;0:00;0:00;0:00;;;0:00;;\r\n");
}

// A card read from a damaged file may hold any bytes: no operation may crash on it or
// read outside the card (the sanitizer build watches), and the counts stay in range.
TEST(DamagedCard, EveryOperationCopesWithAnyBytes) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> near(40000.0, 50000.0);
    const double odd[] = {0.0, std::nan(""), 1e300, -1e300, INFINITY, -5.5, 2958465.9, 0.5};
    for (int round = 0; round < 20; ++round) {
        std::vector<std::uint8_t> bytes(AttendanceCard::kSize);
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(rng());
        }
        bytes[24] = static_cast<std::uint8_t>(rng() % 44); // lineCount 0..299 or 256..299
        bytes[25] = static_cast<std::uint8_t>(rng() % 2);
        AttendanceCard card = AttendanceCard::fromBytes(bytes);
        for (int i = 1; i <= card.lineCount(); ++i) {
            CardLine& l = card.line(i);
            for (double* v : {&l.shiftDay, &l.start, &l.end, &l.duration}) {
                *v = rng() % 3 == 0 ? odd[rng() % 8] : near(rng);
            }
        }
        card.usualStart = odd[rng() % 8];
        card.usualEnd = near(rng);
        const AttendanceCodeList codes = AttendanceCodeList::defaults();
        EvaluationResult result;
        (void)checkCard(card);
        (void)roundFirstAndLast(card, RoundingSteps{15, 30});
        (void)evaluationGate(card, codes, {}, 45000, 45020, result);
        (void)evaluationCsv(result, codes);
        (void)evaluationTextLines("x", card, result, codes);
        (void)cardListing(card, codes);
        (void)cardPrintoutLines(kCardPrintoutTitle, "x", card, codes);
        (void)attendanceReportLines(kReportTitle, "x", result,
                                    ReportRowDefinition::fromBytes(bytes));
        (void)registerListLine("x", card);
        (void)firstTimeOfCard(card);
        card.dateFrom = odd[rng() % 8];
        card.dateTo = near(rng);
        (void)buildFromUsualShift(card, true);
        EXPECT_LE(card.lineCount(), 300);
        EXPECT_LE(result.totalCodeSums.count(), 25);
    }
}

TEST(CodeSums, AddGetSetAndAFullList) {
    CodeSumList sums;
    EXPECT_EQ(sums.add(4, 30)->minutes, 30);
    EXPECT_EQ(sums.add(4, 15)->minutes, 45);
    EXPECT_EQ(sums.find(4), 1);
    EXPECT_EQ(sums.get(7), 0);
    EXPECT_FALSE(sums.set(7, 1));
    EXPECT_TRUE(sums.set(4, 10));
    EXPECT_EQ(sums.get(4), 10);
    for (int code = 20; sums.count() < 25; ++code) {
        ASSERT_TRUE(sums.append({static_cast<std::uint8_t>(code), 1}));
    }
    EXPECT_EQ(sums.add(99, 5), nullptr);
    EXPECT_FALSE(sums.append({99, 5}));
    EXPECT_EQ(sums.add(4, 5)->minutes, 15); // a code already there still adds
    EXPECT_EQ(sums.count(), 25);
}

} // namespace
} // namespace qtr
