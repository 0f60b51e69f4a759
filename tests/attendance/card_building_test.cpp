// Building card lines from the attendance bookings and from the usual shift.

#include "attendance/card_building.h"
#include "attendance/may_times.h"
#include "events/event_table.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qtr {
namespace {

constexpr const char* kJan = "0100000012345A";
using test::at;
using test::kMay1;
using test::timeText;

// "code start-end" of each line, "; " between.
std::string linesOf(const AttendanceCard& card) {
    std::string s;
    for (int i = 1; i <= card.lineCount(); ++i) {
        const CardLine& l = card.line(i);
        s += (i > 1 ? "; " : "") + std::to_string(l.code) + " " + timeText(l.start) + "-" +
             timeText(l.end);
        EXPECT_EQ(l.shiftDay, 0.0);
        EXPECT_EQ(l.duration, 0.0);
        EXPECT_TRUE(l.note.empty());
    }
    return s;
}

struct Booking {
    const char* when;
    int code; // event code: reader in bits 0-2, result above
    const char* key = kJan;
    std::uint8_t unit = 2;
};

AttendanceCard mayCard() {
    AttendanceCard card;
    card.keyNumber = KeyNumber::parse(kJan);
    card.dateFrom = kMay1;
    card.dateTo = kMay1 + 1; // 1.-2.5.
    return card;
}

void fill(EventTable& table, const std::vector<Booking>& bookings) {
    table.clear();
    for (const Booking& b : bookings) {
        EventRecord e;
        e.unitAddress = b.unit;
        e.keyNumber = KeyNumber::parse(b.key);
        e.timestamp = at(b.when);
        e.eventCode = static_cast<std::uint8_t>(b.code);
        ASSERT_TRUE(table.append(e));
    }
    table.sort(SortKind::TimeThenKey);
}

TEST(BuildFromEvents, EachReaderActsOnTheLines) {
    struct Case {
        const char* what;
        std::vector<Booking> bookings;
        const char* lines;
        int used;
    };
    const Case cases[] = {
        {"a day with a break",
         {{"1 07:00", 0}, {"1 11:30", 3}, {"1 12:00", 0}, {"1 15:30", 4}},
         "1 1 07:00-1 11:30; 4 1 11:30-1 12:00; 1 1 12:00-1 15:30",
         4},
        {"business and doctor, back the same day",
         {{"1 07:00", 0}, {"1 09:00", 1}, {"1 10:00", 0}, {"1 13:00", 2}, {"1 14:00", 0}},
         "1 1 07:00-1 09:00; 2 1 09:00-1 10:00; 1 1 10:00-1 13:00; 3 1 13:00-1 14:00; 1 1 14:00-",
         5},
        {"an absence open over night stays open",
         {{"1 07:00", 0}, {"1 14:00", 2}, {"2 07:00", 0}},
         "1 1 07:00-1 14:00; 3 1 14:00-; 1 2 07:00-",
         3},
        {"a departure without arrival", {{"1 15:30", 4}}, "1 -1 15:30", 1},
        {"a break without arrival first closes nothing",
         {{"1 11:30", 3}, {"1 12:00", 0}},
         "1 -1 11:30; 4 1 11:30-1 12:00; 1 1 12:00-",
         2},
        {"reader 5, readers 6 and 7 do nothing, result bits are not the reader",
         {{"1 07:00", 0x20}, {"1 08:00", 6}, {"1 09:00", 7}, {"1 10:00", 0x25}, {"1 12:00", 0x14}},
         "1 1 07:00-1 10:00; 5 1 10:00-1 12:00",
         5},
        {"byte-identical repeats are skipped, the same booking at another unit is not",
         {{"1 07:00", 0}, {"1 07:00", 0}, {"1 07:00", 0, kJan, 3}, {"1 15:00", 4}, {"1 15:00", 4}},
         "1 1 07:00-1 07:00; 1 1 07:00-1 15:00",
         3},
        {"other keys, days before the card and after its last midnight are left out",
         {{"1 06:00", 0, "0200000000000B"},
          {"1 07:00", 0},
          {"2 23:00", 4},
          {"3 00:00", 0}, // midnight after the last day still belongs
          {"3 00:01", 4}},
         "1 1 07:00-2 23:00; 1 3 00:00-",
         3},
    };
    EventTable table;
    for (const Case& c : cases) {
        fill(table, c.bookings);
        AttendanceCard card = mayCard();
        const EventBuildResult r = buildFromEvents(card, table);
        EXPECT_EQ(linesOf(card), c.lines) << c.what;
        EXPECT_EQ(r.eventsUsed, c.used) << c.what;
        EXPECT_EQ(r.linesAdded, card.lineCount()) << c.what;
        EXPECT_FALSE(r.cardFull) << c.what;
    }
}

TEST(BuildFromEvents, OnlyEventsAfterEverythingOnTheCardAreAddedSoRepeatsAddNothing) {
    EventTable table;
    fill(table, {{"30 07:00", 0}, // before the card's first day
                 {"1 07:00", 0},
                 {"1 11:00", 3},
                 {"1 11:30", 0},
                 {"1 15:00", 4},
                 {"2 07:00", 0},
                 {"2 15:00", 4}});
    AttendanceCard card = mayCard();
    CardLine l;
    l.start = at("1 07:00");
    l.end = at("1 11:30"); // entered by hand
    ASSERT_TRUE(card.appendLine(l));
    int walked = 0;
    const EventBuildResult r = buildFromEvents(card, table, [&] { return ++walked > 0; });
    EXPECT_EQ(linesOf(card), "1 1 07:00-1 11:30; 1 -1 15:00; 1 2 07:00-2 15:00");
    EXPECT_EQ(r.eventsUsed, 3);
    EXPECT_EQ(walked, 7);
    const AttendanceCard built = card;
    EXPECT_EQ(buildFromEvents(card, table).eventsUsed, 0);
    EXPECT_EQ(card, built);

    // Stopped by the operator, the build goes on after the card's last time next time.
    AttendanceCard resumed = mayCard();
    ASSERT_TRUE(resumed.appendLine(l));
    int allowed = 5;
    const EventBuildResult cut = buildFromEvents(resumed, table, [&] { return allowed-- > 0; });
    EXPECT_TRUE(cut.interrupted);
    EXPECT_EQ(linesOf(resumed), "1 1 07:00-1 11:30; 1 -1 15:00; 1 2 07:00-");
    EXPECT_FALSE(buildFromEvents(resumed, table).interrupted);
    EXPECT_EQ(resumed, built);
}

TEST(BuildFromEvents, WalkingStopsAtTheFirstEventAfterTheCard) {
    EventTable table;
    fill(table, {{"1 07:00", 0}, {"3 00:00", 4}, {"3 00:01", 0}, {"4 07:00", 0}});
    AttendanceCard card = mayCard();
    int walked = 0;
    buildFromEvents(card, table, [&] { return ++walked > 0; });
    EXPECT_EQ(walked, 3);
    EXPECT_EQ(linesOf(card), "1 1 07:00-3 00:00");
}

TEST(BuildFromEvents, AFullCardStopsBeforeABookingItCannotHoldWhole) {
    EventTable table;
    fill(table, {{"1 07:00", 4}, {"1 08:00", 1}, {"1 09:00", 0}});
    AttendanceCard card = mayCard();
    CardLine closed;
    closed.start = kMay1 - 10;
    closed.end = kMay1 - 10;
    for (int i = 0; i < 298; ++i) {
        ASSERT_TRUE(card.appendLine(closed));
    }
    // The departure takes line 299; the business trip needs two more and does not fit.
    const EventBuildResult r = buildFromEvents(card, table);
    EXPECT_TRUE(r.cardFull);
    EXPECT_EQ(r.eventsUsed, 1);
    EXPECT_EQ(r.linesAdded, 1);
    EXPECT_EQ(card.lineCount(), 299);
    EXPECT_EQ(card.line(299).end, at("1 07:00"));
    EXPECT_EQ(card.line(299).start, 0.0);
}

TEST(CardTimes, FirstAndLastTimeOfTheCard) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> lines; // start, end ("" = 0)
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {{}, "", ""},
        {{{"", ""}, {"1 07:00", "1 15:00"}}, "1 07:00", "1 15:00"},
        {{{"", "1 06:00"}, {"1 07:00", ""}}, "1 06:00", "1 07:00"},
        {{{"1 07:00", "1 08:00"}, {"", "1 09:00"}, {"", ""}}, "1 07:00", "1 09:00"},
    };
    for (const Case& c : cases) {
        AttendanceCard card;
        for (const auto& [s, e] : c.lines) {
            CardLine l;
            l.start = *s ? at(s) : 0.0;
            l.end = *e ? at(e) : 0.0;
            ASSERT_TRUE(card.appendLine(l));
        }
        EXPECT_EQ(timeText(firstTimeOfCard(card)), c.first);
        EXPECT_EQ(timeText(lastTimeOfCard(card)), c.last);
    }
}

TEST(BuildFromUsualShift, OneLinePerDayWithTheUsualTimes) {
    AttendanceCard card;
    card.dateFrom = encodeDate(2024, 5, 3) + 0.7; // Friday, with a time of day
    card.dateTo = encodeDate(2024, 5, 6);         // Monday
    card.applyPattern(ShiftPattern::Night);
    EXPECT_EQ(buildFromUsualShift(card, false), 2);
    EXPECT_EQ(card.planFlag, 1);
    std::string s;
    for (int i = 1; i <= card.lineCount(); ++i) {
        const CardLine& l = card.line(i);
        s += formatDateTime("dd.mm.", l.shiftDay) + " " + std::to_string(l.code) + " " +
             formatDateTime("dd.mm. hh:nn", l.start) + "-" + formatDateTime("dd.mm. hh:nn", l.end) +
             "; ";
        EXPECT_EQ(l.duration, 0.0);
        EXPECT_TRUE(l.note.empty());
    }
    EXPECT_EQ(s, "03.05. 1 03.05. 22:00-04.05. 06:00; 06.05. 1 06.05. 22:00-07.05. 06:00; ");

    card.removeAllLines();
    card.applyPattern(ShiftPattern::Morning);
    EXPECT_EQ(buildFromUsualShift(card, true), 4);
    EXPECT_EQ(formatDateTime("dd.mm. hh:nn", card.line(2).start), "04.05. 06:00");
    EXPECT_EQ(formatDateTime("dd.mm. hh:nn", card.line(2).end), "04.05. 14:00");

    // A full card stops further lines silently.
    CardLine l;
    while (card.lineCount() < 299) {
        ASSERT_TRUE(card.appendLine(l));
    }
    EXPECT_EQ(buildFromUsualShift(card, true), 1);
    EXPECT_EQ(card.lineCount(), 300);
}

} // namespace
} // namespace qtr
