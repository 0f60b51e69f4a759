#include "access/schedule_editing.h"
#include "access/schedule_graph.h"
#include "access/segment_text.h"
#include "db/tables.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qtr {
namespace {

TimeSegment seg(int fh, int fm, int th, int tm, std::uint8_t days) {
    return {makeHourMinute(fh, fm), makeHourMinute(th, tm), days};
}

AccessScheduleRecord schedule(const std::string& name, const std::vector<TimeSegment>& segments) {
    AccessScheduleRecord r;
    r.scheduleName.setText(name);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        r.segments[i] = segments[i];
    }
    r.segmentCount = static_cast<std::uint8_t>(segments.size());
    return r;
}

// The segments in use, one text each, joined by "|"; slots past the count must be zero.
std::string used(const AccessScheduleRecord& r) {
    std::string s;
    for (int k = 0; k < 7; ++k) {
        const TimeSegment& t = r.segments[static_cast<std::size_t>(k)];
        if (k < r.segmentCount) {
            s += (k == 0 ? "" : "|") + segmentText(t);
        } else if (t != TimeSegment{}) {
            return "slot " + std::to_string(k + 1) + " past the count is not zero";
        }
    }
    return s;
}

const TimeSegment kMorning = seg(6, 0, 14, 0, 0x7C);
const TimeSegment kNoon = seg(12, 0, 13, 0, 0x7F);
const TimeSegment kWeekend = seg(8, 0, 12, 0, 0x03);

TEST(ScheduleEditing, EditedSegmentIsStoredDedupedAndEmptiesClosedUp) {
    struct Case {
        const char* what;
        std::vector<TimeSegment> before;
        int k;
        TimeSegment edited;
        const char* after;
    };
    const Case cases[] = {
        {"first segment of a new schedule", {}, 1, kMorning, "06:00 - 14:00 Po Út St Čt Pá "},
        {"appended after the last",
         {kMorning},
         2,
         kWeekend,
         "06:00 - 14:00 Po Út St Čt Pá |08:00 - 12:00 So Ne "},
        {"segment 3 equal to segment 1 goes again",
         {kMorning, kNoon},
         3,
         kMorning,
         "06:00 - 14:00 Po Út St Čt Pá |12:00 - 13:00 Po Út St Čt Pá So Ne "},
        {"segment 1 changed to equal segment 2 goes, 2 moves up",
         {kMorning, kNoon},
         1,
         kNoon,
         "12:00 - 13:00 Po Út St Čt Pá So Ne "},
        {"Od equal to Do removes it, the later ones move up",
         {kMorning, kNoon, kWeekend},
         2,
         seg(9, 0, 9, 0, 0x7F),
         "06:00 - 14:00 Po Út St Čt Pá |08:00 - 12:00 So Ne "},
        {"no day left removes it",
         {kMorning, kNoon, kWeekend},
         1,
         seg(6, 0, 14, 0, 0),
         "12:00 - 13:00 Po Út St Čt Pá So Ne |08:00 - 12:00 So Ne "},
        {"an empty first segment of a new schedule leaves nothing", {}, 1, TimeSegment{}, ""},
        {"a segment stored unchanged stays",
         {kMorning, kNoon},
         2,
         kNoon,
         "06:00 - 14:00 Po Út St Čt Pá |12:00 - 13:00 Po Út St Čt Pá So Ne "},
        {"the seventh slot",
         {kMorning, kNoon, kWeekend, seg(1, 0, 2, 0, 1), seg(1, 0, 2, 0, 2), seg(1, 0, 2, 0, 4)},
         7,
         seg(1, 0, 2, 0, 8),
         "06:00 - 14:00 Po Út St Čt Pá |12:00 - 13:00 Po Út St Čt Pá So Ne |08:00 - 12:00 So Ne "
         "|01:00 - 02:00 Ne |01:00 - 02:00 So |01:00 - 02:00 Pá |01:00 - 02:00 Čt "},
    };
    for (const Case& c : cases) {
        AccessScheduleRecord r = schedule("R", c.before);
        storeEditedSegment(r, c.k, c.edited);
        EXPECT_EQ(used(r), c.after) << c.what;
        EXPECT_EQ(r.scheduleName.text(), "R");
    }

    // A foreign record with empty segments inside the count is closed up too.
    AccessScheduleRecord foreign = schedule("F", {kMorning, TimeSegment{}, kNoon, kMorning});
    storeEditedSegment(foreign, 5, kWeekend);
    EXPECT_EQ(used(foreign), "06:00 - 14:00 Po Út St Čt Pá |12:00 - 13:00 Po Út St Čt Pá So Ne "
                             "|06:00 - 14:00 Po Út St Čt Pá |08:00 - 12:00 So Ne ");
    foreign.segmentCount = 200;
    EXPECT_EQ(usedSegments(foreign), 7);
    storeEditedSegment(foreign, 8, kWeekend); // no eighth slot: nothing happens
    EXPECT_EQ(foreign.segmentCount, 200);
}

TEST(ScheduleEditing, WhichSegmentBoxTakesAClick) {
    // One character per box 1..7: "x" enabled, "." disabled.
    auto boxes = [](const AccessScheduleRecord& r) {
        std::string s;
        for (int k = 1; k <= 7; ++k) {
            s += segmentBoxEnabled(r, k) ? 'x' : '.';
        }
        return s;
    };
    EXPECT_EQ(boxes(schedule("", {})), "x......");
    EXPECT_EQ(boxes(schedule("", {kMorning})), "xx.....");
    EXPECT_EQ(boxes(schedule("", {kMorning, kNoon, kWeekend})), "xxxx...");
    EXPECT_EQ(boxes(schedule("", std::vector<TimeSegment>(7, kNoon))), "xxxxxxx");
    EXPECT_FALSE(segmentBoxEnabled(schedule("", {}), 0));
    EXPECT_FALSE(segmentBoxEnabled(schedule("", {}), 8));
}

TEST(ScheduleEditing, SaveChecksInTheirOrder) {
    AccessScheduleTable table;
    for (const char* name : {"Ranní", "Noční"}) {
        table.current() = schedule(name, {kMorning});
        table.append();
    }
    struct Case {
        AccessScheduleRecord record;
        int ownPosition;
        const char* message; // "" when it may be stored
    };
    const Case cases[] = {
        {schedule("", {}), 0, "Rozvrh musí mít jméno!"},
        {schedule("", {kMorning}), 2, "Rozvrh musí mít jméno!"},
        {schedule("Ranní", {}), 0, "Prázdný rozvrh!"},
        {schedule("Ranní", {kMorning}), 0, "Takové jméno již existuje!"},
        {schedule("Ranní", {kMorning}), 2, "Takové jméno již existuje!"},
        {schedule("Ranní", {kMorning}), 1, ""}, // its own name
        {schedule("ranní", {kMorning}), 0, ""}, // names are case-sensitive
        {schedule("Ranní a noční", {kMorning}), 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(checkSchedule(table, c.record, c.ownPosition).value_or(""), c.message)
            << c.record.scheduleName.text() << " at " << c.ownPosition;
    }
}

TEST(ScheduleEditing, DoNeverBeforeOd) {
    struct Case {
        int fromHour, fromMinute, toHour;
        int minHour, minMinute;
    };
    const Case cases[] = {
        {22, 0, 22, 22, 0},   // 22:00: Do cannot go below 22
        {22, 30, 22, 22, 30}, // same hour: not before the minute either
        {22, 30, 23, 22, 0},  // a later hour: any minute
        {12, 30, 10, 12, 30}, // Od moved past Do: Do is raised to 12 and its minutes count
        {0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const ToLimits l = toLimits(c.fromHour, c.fromMinute, c.toHour);
        EXPECT_EQ(l.hour, c.minHour);
        EXPECT_EQ(l.minute, c.minMinute) << c.fromHour << ":" << c.fromMinute << " " << c.toHour;
    }
}

TEST(ScheduleGraph, BarsOfBothGraphs) {
    // Columns: the week graph puts slot s at s + 1 inside the row frame, the entry
    // graph at s. 06:00-18:00 covers slots 36..107: a quarter to three quarters.
    struct Case {
        TimeSegment segment;
        std::vector<GraphBar> week;
        std::vector<GraphBar> entry;
    };
    const Case cases[] = {
        {seg(6, 0, 18, 0, kMonday), {{0, 37, 1, 72, 12}}, {{0, 36, 0, 72, 4}}},
        {seg(0, 0, 23, 59, kSunday), {{6, 1, 85, 143, 12}}, {{6, 0, 30, 143, 4}}},
        {seg(7, 5, 7, 8, kWednesday | kFriday), // within one slot: one column
         {{2, 43, 29, 1, 12}, {4, 43, 57, 1, 12}},
         {{2, 42, 10, 1, 4}, {4, 42, 20, 1, 4}}},
        {seg(18, 0, 6, 0, 0x7F), {}, {}}, // over midnight: not drawn
        {seg(9, 0, 9, 0, 0x7F), {}, {}},
        {seg(22, 0, 0xFF, 0xFF, kTuesday), {{1, 133, 15, 12, 12}}, {{1, 132, 5, 12, 4}}},
        {{makeHourMinute(0xFF, 0), 0xFFFF, kMonday}, {{0, 144, 1, 1, 12}}, {{0, 143, 0, 1, 4}}},
    };
    for (const Case& c : cases) {
        const std::vector<TimeSegment> one{c.segment};
        EXPECT_EQ(weekGraphBars(one), c.week) << segmentText(c.segment);
        EXPECT_EQ(entryGraphBars(one), c.entry) << segmentText(c.segment);
    }
    EXPECT_EQ(WeekGraphLayout::kWidth, 146);
    EXPECT_EQ(kWeekGraphScale, "0         6         12        18      23");
}

} // namespace
} // namespace qtr
