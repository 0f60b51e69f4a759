#include "db/tables.h"
#include "events/attendance_selection.h"
#include "events/event_fixtures.h"
#include "events/event_table.h"

#include <gtest/gtest.h>
#include <optional>

namespace qtr {
namespace {

using test::code;

ControlUnitRecord unitOf(std::uint8_t type, std::uint8_t usage, std::uint8_t relayMask = 0) {
    ControlUnitRecord u = test::unit(0x10, type, "J");
    u.usage = usage;
    u.relayMask = relayMask;
    return u;
}

std::optional<int> selected(const ControlUnitRecord& u, std::uint8_t eventCode) {
    const auto c = attendanceCode(eventCode, &u);
    return c ? std::optional<int>(*c) : std::nullopt;
}

TEST(AttendanceSelection, AccessAndDoorUnitsBookArrivalOrDepartureAtMarkedDoors) {
    for (const std::uint8_t type : {kUnitAccess, kUnitDoor}) {
        const auto door1 = unitOf(type, 0x02); // door 1 = readers 2 and 3
        EXPECT_EQ(selected(door1, code(3, 0)), 4) << "reader 3 leaves";
        EXPECT_EQ(selected(door1, code(2, 0)), 0) << "reader 2 arrives";
        EXPECT_EQ(selected(door1, code(3, 1)), std::nullopt) << "refused";
        EXPECT_EQ(selected(door1, code(3, 2)), std::nullopt) << "not opened";
        EXPECT_EQ(selected(door1, code(3, 3)), 4) << "not closed still passed";
        EXPECT_EQ(selected(door1, 0xC3), 4) << "bits 6-7 are not kept";
        EXPECT_EQ(selected(door1, code(0, 0)), std::nullopt) << "door 0 not marked";
        EXPECT_EQ(selected(door1, code(5, 0)), std::nullopt) << "door 2 not marked";
        const auto door3 = unitOf(type, 0x08);
        EXPECT_EQ(selected(door3, code(6, 0)), 0);
        EXPECT_EQ(selected(door3, code(7, 3)), 4);
    }
}

TEST(AttendanceSelection, BarrierUnitsUseBitOneOfTheCodeForTheBarrier) {
    const auto barrier1 = unitOf(kUnitBarrier, 0x02);
    EXPECT_EQ(selected(barrier1, code(2, 0)), 0);
    EXPECT_EQ(selected(barrier1, code(3, 0)), 4);
    EXPECT_EQ(selected(barrier1, code(0, 0)), std::nullopt);
    // Readers 6 and 7 share bit 1 with barrier 1 readers 2 and 3.
    EXPECT_EQ(selected(barrier1, code(6, 0)), 0);
    EXPECT_EQ(selected(barrier1, code(3, 2)), std::nullopt);
    const auto barrier0 = unitOf(kUnitBarrier, 0x01);
    EXPECT_EQ(selected(barrier0, code(1, 0)), 4);
    EXPECT_EQ(selected(barrier0, code(4, 0)), 0);
    EXPECT_EQ(selected(barrier0, code(1, 1)), std::nullopt);
}

TEST(AttendanceSelection, AttendanceUnitsKeepTheirCodes) {
    const auto registering = unitOf(kUnitAttendance, 1, 0);
    EXPECT_EQ(selected(registering, code(0, 0)), code(0, 0));
    EXPECT_EQ(selected(registering, code(4, 0)), code(4, 0));
    EXPECT_EQ(selected(registering, code(5, 3)), code(5, 3));
    EXPECT_EQ(selected(registering, code(2, 2)), code(2, 2)) << "registers only: unopened counts";
    EXPECT_EQ(selected(registering, 0xC1), 0xC1);
    EXPECT_EQ(selected(registering, code(1, 1)), std::nullopt) << "refused";
    EXPECT_EQ(selected(registering, code(6, 0)), std::nullopt) << "cancel reader";
    EXPECT_EQ(selected(registering, code(7, 0)), std::nullopt) << "balance reader";

    const auto withRelay = unitOf(kUnitAttendance, 1, 0x01);
    EXPECT_EQ(selected(withRelay, code(2, 2)), std::nullopt) << "relay: unopened is no passage";
    EXPECT_EQ(selected(withRelay, code(2, 0)), code(2, 0));

    const auto passive = unitOf(kUnitAttendance, 0, 0);
    EXPECT_EQ(selected(passive, code(0, 0)), std::nullopt);
}

TEST(AttendanceSelection, InputsUnknownUnitsAndOtherTypesAreNeverBookings) {
    EXPECT_EQ(selected(unitOf(kUnitAccess, 0xFF), code(8, 0)), std::nullopt);
    EXPECT_EQ(selected(unitOf(kUnitAttendance, 1), code(9, 3)), std::nullopt);
    EXPECT_EQ(selected(unitOf(0, 0xFF), code(0, 0)), std::nullopt);
    EXPECT_EQ(selected(unitOf(5, 0xFF), code(0, 0)), std::nullopt);
    EXPECT_EQ(attendanceCode(code(0, 0), nullptr), std::nullopt);
}

TEST(AttendanceSelection, TableFilterRewritesAndPacks) {
    ControlUnitTable units;
    units.current() = unitOf(kUnitAccess, 0x02);
    units.current().address = 0x01;
    ASSERT_TRUE(units.append());
    units.current() = unitOf(kUnitAttendance, 1);
    units.current().address = 0x02;
    ASSERT_TRUE(units.append());
    // A second unit with address 1 is never looked at: the first one counts.
    units.current() = unitOf(kUnitAccess, 0x01);
    units.current().address = 0x01;
    ASSERT_TRUE(units.append());

    const DateTime t = test::at(2024, 6, 3, 7, 55);
    const auto a = test::event(0x01, "0A", t, code(3, 0));     // kept as 4
    const auto b = test::event(0x01, "0A", t, code(0, 0));     // door 0: dropped
    const auto c = test::event(0x02, "0B", t, code(4, 0));     // kept as is
    const auto d = test::event(0x09, "0B", t, code(0, 0));     // no such unit
    const auto e = test::event(0x01, "0B", t + 1, code(2, 3)); // kept as 0
    EventTable table;
    for (const auto& x : {a, b, c, d, e}) {
        ASSERT_TRUE(table.append(x));
    }
    EXPECT_EQ(table.keepAttendance(units), 3);
    auto a4 = a;
    a4.eventCode = 4;
    auto e0 = e;
    e0.eventCode = 0;
    EXPECT_EQ(table.at(1), a4);
    EXPECT_EQ(table.at(2), c);
    EXPECT_EQ(table.at(3), e0);

    EventRecord one = a;
    EXPECT_TRUE(attendanceSelection(one, units));
    EXPECT_EQ(one.eventCode, 4);
    EventRecord two = b;
    EXPECT_FALSE(attendanceSelection(two, units));
    EXPECT_EQ(two, b);
}

} // namespace
} // namespace qtr
