// Saving and restoring the simulated units between runs of the in-process bus.

#include "sim/bus_state.h"
#include "sim/day_simulation.h"
#include "sim_fixture.h"
#include "support/temp_dir.h"

namespace qtr::sim::test {
namespace {

class BusState : public SimFixture {};

TEST_F(BusState, ASavedBusComesBackAsItWas) {
    SimUnit& unit = addUnit(0x0A, kModelVkr8, kModeAccess, 2);
    ControlUnitRecord rec = unitRecord(0x0A, kUnitAccess);
    rec.alarmMask = 0x0F;
    rec.relayMask = 0x21;
    configure(rec, std::array{right(0x0A, "0100000012345A", makeHourMinute(7, 30),
                                    makeHourMinute(16, 0), 0x7C, 0x03)});
    ASSERT_TRUE(line.NastavReleMask(rec));
    ASSERT_TRUE(line.NastavitCasJednotky(rec, encodeDate(2026, 12, 24) + encodeTime(18, 0, 0)));
    unit.presentKey(1, KeyNumber::parse("0100000012345A"), clock.now());
    unit.changeInput(3, true, clock.now());
    unit.setLatencyMs(25);
    SimUnit& reader = addUnit(0x00, kModelReader, 0, kNoMemory);
    reader.presentKey(0, KeyNumber::parse("0200000000000B"), clock.now());

    const std::string text = busStateText(bus);
    ManualClock later(clock.now() + 1.0); // the next run, a day later
    SimBus restored(later);
    std::string error;
    ASSERT_TRUE(restoreBusState(text, restored, error)) << error << "\n" << text;
    ASSERT_EQ(restored.units().size(), 2u);
    const SimUnit& u = *restored.unit(0x0A);
    EXPECT_EQ(u.state(), kStateLocked);
    EXPECT_EQ(u.mode(), 0x51);
    EXPECT_EQ(u.alarmMask(), 0x0F);
    EXPECT_EQ(u.relayMask(), 0x21);
    EXPECT_EQ(u.parameters(), unit.parameters());
    EXPECT_TRUE(u.inputActive(3));
    EXPECT_EQ(u.latencyMs(), 25);
    EXPECT_EQ(u.rights().rights(), unit.rights().rights());
    ASSERT_EQ(u.events().pending(), 2u);
    EXPECT_EQ(u.events().events()[0], unit.events().events()[0]);
    EXPECT_EQ(u.events().events()[1], unit.events().events()[1]);
    // The unit clock ran on with the bus: a day later it reads 25.12. 18:00.
    EXPECT_NEAR(u.clock().now(later.now()), encodeDate(2026, 12, 25) + encodeTime(18, 0, 0), 1e-6);
    EXPECT_EQ(restored.unit(0x00)->waitingKey().text(), "0200000000000B");
    EXPECT_EQ(busStateText(restored), text);
}

TEST_F(BusState, ADamagedStateNamesItsLine) {
    std::string error;
    SimBus other(clock);
    EXPECT_FALSE(restoreBusState("# x\npravo 0100000012345A 0000 173B 7F 00\n", other, error));
    EXPECT_EQ(error, "řádek 2: nesrozumitelný záznam");
    addUnit(0x0A);
    std::string text = busStateText(bus);
    EXPECT_FALSE(restoreBusState(text + text, other, error));
    EXPECT_EQ(error, "řádek 6: adresa 0A je již použita");
}

TEST_F(BusState, ADataDirectoryKeepsItsUnitsBetweenRuns) {
    qtr::test::TempDir dir;
    ControlUnitRecord r = unitRecord(0x01, kUnitAccess);
    std::vector<std::uint8_t> bytes(ControlUnitRecord::kSize);
    r.toBytes(bytes);
    qtr::test::writeBytes(dir.path() / "QTR0001.DAT", bytes);
    std::string error;
    {
        SimBus first(clock);
        ASSERT_TRUE(openDataDirBus(dir.path(), 0x00, first, error)) << error;
        ASSERT_EQ(first.units().size(), 2u);
        SimulatedTransaction run(first);
        ASSERT_TRUE(run.KonfigurovatJednotku(r)) << run.errorText;
        ASSERT_TRUE(saveDataDirBus(dir.path(), first).ok());
    }
    SimBus second(clock);
    ASSERT_TRUE(openDataDirBus(dir.path(), 0x00, second, error)) << error;
    ASSERT_NE(second.unit(0x01), nullptr);
    EXPECT_EQ(second.unit(0x01)->state(), kStateConfigured);
    EXPECT_TRUE(second.unit(0x00)->isReader());
}

TEST_F(BusState, WorkingDaysCanBeRunAtOnce) {
    addUnit(0x02, kModelVkr8, kModeAttendance);
    configure(unitRecord(0x02, kUnitAttendance),
              std::array{right(0x02, "0100000012345A", 0, makeHourMinute(23, 59))});
    Scenario s;
    ScenarioPerson p;
    p.key = KeyNumber::parse("0100000012345A");
    p.name = "Jan";
    s.persons = {p};
    DaySimulation day(bus, s, 3);
    const auto lines = simulateWorkingDays(day, clock, 5);
    EXPECT_EQ(lines.size(), 5u * 4);
    EXPECT_EQ(bus.unit(0x02)->events().pending(), 5u * 4);
    // Wednesday 08:00 was the start: Thursday, Friday, Monday, Tuesday, Wednesday.
    EXPECT_EQ(lines.back().substr(0, 10), "16.12.2026");
}

} // namespace
} // namespace qtr::sim::test
