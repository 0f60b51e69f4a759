// Corrections and checks of the card lines, and the rounding of first and last times.

#include "attendance/card_checks.h"
#include "attendance/may_times.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qtr {
namespace {

using test::at;
using test::kMay1;
using test::timeText;

struct Line {
    int code;
    const char* start;
    const char* end;
};

AttendanceCard cardWith(const std::vector<Line>& lines, bool fill = false) {
    AttendanceCard card;
    card.usualStart = encodeTime(6, 0, 0);
    card.usualEnd = encodeTime(14, 0, 0);
    card.fillMissing = fill ? 1 : 0;
    for (const Line& l : lines) {
        CardLine c;
        c.code = static_cast<std::uint8_t>(l.code);
        c.start = at(l.start);
        c.end = at(l.end);
        c.shiftDay = 99;
        c.duration = 0.5;
        c.note.setText("stará");
        EXPECT_TRUE(card.appendLine(c));
    }
    return card;
}

// Each line as "start-end note", "; " between.
std::string notesOf(const AttendanceCard& card) {
    std::string s;
    for (int i = 1; i <= card.lineCount(); ++i) {
        const CardLine& l = card.line(i);
        s += (i > 1 ? "; " : "") + timeText(l.start) + "-" + timeText(l.end) + " " + l.note.text();
    }
    return s;
}

TEST(CardCorrections, FillMissingSetShiftDaysAndComputeDurations) {
    const std::vector<Line> lines = {
        {1, "", "1 15:00"}, {3, "", "1 16:00"}, {1, "2 07:00", ""},
        {4, "2 11:00", ""}, {1, "", ""},        {1, "3 07:00", "3 15:00"},
    };
    AttendanceCard off = cardWith(lines, false);
    const AttendanceCard before = off;
    EXPECT_TRUE(fillMissing(off));
    EXPECT_EQ(off, before);

    AttendanceCard on = cardWith(lines, true);
    EXPECT_FALSE(fillMissing(on));
    EXPECT_EQ(notesOf(on), "1 06:00-1 15:00 obv.zač.; -1 16:00 #nelze; 2 07:00-2 14:00 obv.kon.; "
                           "2 11:00- #nelze; - #nemá směnu!; 3 07:00-3 15:00 stará");
    EXPECT_EQ(on.line(5).duration, 0.0);
    EXPECT_EQ(on.line(6).duration, 0.5);

    AttendanceCard days = cardWith(lines);
    EXPECT_FALSE(setShiftDays(days));
    std::string shiftDays;
    for (int i = 1; i <= days.lineCount(); ++i) {
        shiftDays += std::to_string(static_cast<int>(days.line(i).shiftDay - kMay1 + 1)) + " " +
                     days.line(i).note.text() + "; ";
    }
    // Days of the starts (99 where there is none, left as it was).
    const int unset = static_cast<int>(99 - kMay1 + 1);
    EXPECT_EQ(shiftDays, std::to_string(unset) + " #den směny; " + std::to_string(unset) +
                             " #den směny; 2 stará; 2 stará; " + std::to_string(unset) +
                             " #den směny; 3 stará; ");
    EXPECT_TRUE(setShiftDays(*&(days = cardWith({{1, "1 07:00", ""}}))));

    AttendanceCard durations = cardWith({{1, "1 07:00", "1 15:00"},
                                         {1, "1 16:00", "1 15:59"},
                                         {1, "", "1 17:00"},
                                         {2, "1 22:00", "2 06:30"}});
    EXPECT_FALSE(computeDurations(durations));
    EXPECT_EQ(notesOf(durations), "1 07:00-1 15:00 stará; 1 16:00-1 15:59 #časy!; -1 17:00 "
                                  "#nelze!; 1 22:00-2 06:30 stará");
    EXPECT_EQ(durations.line(1).duration, at("1 15:00") - at("1 07:00"));
    EXPECT_EQ(durations.line(2).duration, 0.0);
    EXPECT_EQ(durations.line(3).duration, 0.0);
    EXPECT_EQ(durations.line(4).duration, at("2 06:30") - at("1 22:00"));
    EXPECT_TRUE(computeDurations(*&(durations = cardWith({{1, "1 07:00", "1 07:00"}}))));

    clearNotes(durations);
    clearDurations(durations);
    EXPECT_EQ(notesOf(durations), "1 07:00-1 07:00 ");
    EXPECT_EQ(durations.line(1).duration, 0.0);
}

TEST(CardCorrections, CheckLinesNotesEveryFaultOrStopsAtTheFirst) {
    struct Case {
        std::vector<Line> lines;
        bool ok;
        const char* notes;  // after the check without stopping
        int column, lineNo; // of the first fault
    };
    const Case cases[] = {
        {{{1, "1 07:00", "1 11:00"}, {4, "1 11:00", "1 11:30"}, {1, "1 11:30", "1 15:00"}},
         true,
         "1 07:00-1 11:00 stará; 1 11:00-1 11:30 stará; 1 11:30-1 15:00 stará",
         0,
         0},
        {{{1, "1 07:00", "1 15:00"}, {1, "", ""}}, false, "1 07:00-1 15:00 stará; - #směna", 0, 2},
        {{{1, "1 07:00", ""}, {1, "1 08:00", "1 09:00"}},
         false,
         "1 07:00- #konec; 1 08:00-1 09:00 stará",
         2,
         1},
        {{{1, "1 07:00", "1 12:00"}, {1, "1 11:00", "1 15:00"}},
         false,
         "1 07:00-1 12:00 stará; 1 11:00-1 15:00 #začátek?",
         1,
         2},
        {{{1, "1 12:00", "1 11:00"}}, false, "1 12:00-1 11:00 #konec?", 2, 1},
        // Over midnight: a shift into the next day asks, anything else is marked; neither fails.
        {{{1, "1 22:00", "2 06:00"}, {3, "2 22:00", "3 06:00"}, {1, "3 22:00", "5 06:00"}},
         true,
         "1 22:00-2 06:00 noční?; 2 22:00-3 06:00 #přesah dnů; 3 22:00-5 06:00 #přesah dnů",
         0,
         0},
    };
    for (const Case& c : cases) {
        AttendanceCard all = cardWith(c.lines);
        LineFault fault;
        EXPECT_EQ(checkLines(all, false, &fault), c.ok) << c.notes;
        EXPECT_EQ(notesOf(all), c.notes);
        AttendanceCard first = cardWith(c.lines);
        LineFault stop;
        EXPECT_EQ(checkLines(first, true, &stop), c.ok) << c.notes;
        EXPECT_EQ(stop.column, c.column) << c.notes;
        EXPECT_EQ(stop.line, c.lineNo) << c.notes;
        EXPECT_EQ(fault.line, c.lineNo) << c.notes;
    }
}

// A departure without arrival: how the editor's check and the search for the first
// fault report it, with and without filling.
TEST(CardCorrections, ADepartureWithoutArrival) {
    AttendanceCard off = cardWith({{1, "1 07:00", "1 15:00"}, {1, "", "2 15:30"}});
    EXPECT_FALSE(checkCard(off));
    EXPECT_EQ(notesOf(off), "1 07:00-1 15:00 ; -2 15:30 #den směny");
    EXPECT_EQ(off.line(1).duration, 0.0); // cleared again after the failure
    LineFault fault;
    EXPECT_FALSE(checkLines(off, true, &fault));
    EXPECT_EQ(fault.column, 1);
    EXPECT_EQ(fault.line, 2);
    EXPECT_EQ(off.line(2).note.text(), "#začátek");

    AttendanceCard on = cardWith({{1, "1 07:00", "1 15:00"}, {1, "", "2 15:30"}}, true);
    EXPECT_TRUE(checkCard(on));
    EXPECT_EQ(notesOf(on), "1 07:00-1 15:00 ; 2 06:00-2 15:30 obv.zač.");
    EXPECT_EQ(on.line(2).shiftDay, kMay1 + 1);
    EXPECT_EQ(on.line(2).duration, at("2 15:30") - at("2 06:00"));
}

TEST(Rounding, StepsRoundWithinTheHour) {
    struct Case {
        const char* time;
        int step;
        const char* up;
        const char* down;
    };
    const Case cases[] = {
        {"1 06:50", 15, "1 07:00:00", "1 06:45:00"},
        {"1 07:00", 15, "1 07:15:00", "1 07:00:00"}, // on a multiple: still a step up
        {"1 06:59:59", 15, "1 07:00:00", "1 06:45:00"},
        {"1 14:07:30", 15, "1 14:15:00", "1 14:00:00"},
        {"1 23:50", 15, "2 00:00:00", "1 23:45:00"}, // 24:00 is the next midnight
        {"1 06:50", 45, "1 07:00:00", "1 06:45:00"}, // past minute 59: the full hour
        {"1 06:20", 45, "1 06:45:00", "1 06:00:00"},
        {"1 06:50:30", 1, "1 06:50:30", "1 06:50:30"}, // step 1 leaves the time alone
        {"1 06:50", 59, "1 06:59:00", "1 06:00:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatDateTime("d hh:nn:ss", roundUpToStep(at(c.time), c.step)), c.up)
            << c.time << " / " << c.step;
        EXPECT_EQ(formatDateTime("d hh:nn:ss", roundDownToStep(at(c.time), c.step)), c.down)
            << c.time << " / " << c.step;
    }
}

TEST(Rounding, FirstArrivalAndLastDepartureOfEachShiftDay) {
    AttendanceCard card = cardWith({
        {1, "1 06:50", "1 11:00"}, // first of day 1: start up
        {4, "1 11:00", "1 11:30"}, // a break: untouched
        {1, "1 11:30", "1 14:07"}, // last of day 1: end down
        {1, "2 07:05", "2 07:10"}, // alone on day 2: 07:15-07:00, dropped
        {3, "3 06:50", "3 08:00"}, // not a shift line: untouched
        {1, "3 08:00", "3 14:07"}, // shift line after it: not the first line of the day
    });
    const bool dropped = roundFirstAndLast(card, RoundingSteps{15, 15});
    EXPECT_TRUE(dropped);
    EXPECT_EQ(notesOf(card), "1 07:00-1 11:00 stará; 1 11:00-1 11:30 stará; "
                             "1 11:30-1 14:00 stará; 3 06:50-3 08:00 stará; "
                             "3 08:00-3 14:00 stará");
    EXPECT_EQ(card.line(1).shiftDay, kMay1); // the shift days were set first

    AttendanceCard same = cardWith({{1, "1 06:50", "1 14:07"}});
    EXPECT_FALSE(roundFirstAndLast(same, RoundingSteps{1, 1}));
    EXPECT_EQ(notesOf(same), "1 06:50-1 14:07 stará");
}

} // namespace
} // namespace qtr
