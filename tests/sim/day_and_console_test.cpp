// The day mode and the console of qtr-sim.

#include "sim/day_simulation.h"
#include "sim/sim_console.h"
#include "sim/unit_clock.h"
#include "sim_fixture.h"

#include <algorithm>
#include <sstream>

namespace qtr::sim::test {
namespace {

constexpr const char* kJan = "0100000012345A";
constexpr const char* kEva = "0200000000000B";

class DayMode : public SimFixture {
protected:
    void SetUp() override {
        addUnit(0x01, kModelVkr8, kModeAccess);
        addUnit(0x02, kModelVkr8, kModeAttendance);
        configure(unitRecord(0x01, kUnitAccess),
                  std::array{right(0x01, kJan, makeHourMinute(6, 0), makeHourMinute(18, 0), 0x7C)});
        configure(unitRecord(0x02, kUnitAttendance),
                  std::array{right(0x02, kJan, 0, makeHourMinute(23, 59)),
                             right(0x02, kEva, 0, makeHourMinute(23, 59))});
        ScenarioPerson jan;
        jan.key = KeyNumber::parse(kJan);
        jan.name = "Jan Novák";
        ScenarioPerson eva = jan;
        eva.key = KeyNumber::parse(kEva);
        eva.name = "Eva Malá";
        eva.breakMinutes = 0;
        eva.doctorPercent = 100;
        scenario.persons = {jan, eva};
    }

    // Runs the planned day, moving the bus clock to each action.
    std::vector<std::string> runDay(DaySimulation& day) {
        std::vector<std::string> lines;
        while (!day.dayDone()) {
            clock.set(day.nextActionTime() + 1.0 / 86400);
            for (auto& l : day.advance()) {
                lines.push_back(l);
            }
        }
        return lines;
    }

    // Every event of a unit, collected through the transaction layer.
    std::vector<std::pair<std::string, std::uint8_t>> collect(std::uint8_t address) {
        std::vector<std::pair<std::string, std::uint8_t>> events;
        while (line.CteniUdalosti(address) && line.eventCount == 1) {
            events.emplace_back(
                KeyNumber::fromBytes(std::span(line.eventAnswer).subspan(4, 7)).text(),
                line.eventAnswer[15]);
        }
        return events;
    }

    Scenario scenario;
};

TEST_F(DayMode, AWorkingDayLeavesBookingsAndPassagesInTheUnits) {
    DaySimulation day(bus, scenario, 7);
    std::string why;
    ASSERT_TRUE(day.ready(why)) << why;
    // Wednesday 08:00 has begun: the next day planned is Thursday.
    EXPECT_EQ(day.planNextDay(), encodeDate(2026, 12, 10) + encodeTime(5, 0, 0));
    const auto lines = runDay(day);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().substr(0, 11), "10.12.2026 ");

    std::vector<std::uint8_t> janBookings;
    std::vector<std::uint8_t> evaBookings;
    for (const auto& [key, code] : collect(0x02)) {
        (key == kJan ? janBookings : evaBookings).push_back(code);
    }
    // Arrival, break, back, departure; Eva goes to the doctor and comes back.
    EXPECT_EQ(janBookings, (std::vector<std::uint8_t>{0x00, 0x03, 0x00, 0x04}));
    EXPECT_EQ(evaBookings, (std::vector<std::uint8_t>{0x00, 0x02, 0x00, 0x04}));

    std::vector<std::uint8_t> janDoor;
    std::vector<std::uint8_t> evaDoor;
    for (const auto& [key, code] : collect(0x01)) {
        (key == kJan ? janDoor : evaDoor).push_back(code);
    }
    EXPECT_EQ(janDoor, (std::vector<std::uint8_t>{0x00, 0x01}));
    // Eva has no right at the door: every passage is refused, and recorded.
    EXPECT_EQ(evaDoor, (std::vector<std::uint8_t>{0x10, 0x11, 0x10, 0x11}));
}

TEST_F(DayMode, WeekendsAreSkipped) {
    clock.set(encodeDate(2026, 12, 11) + encodeTime(18, 0, 0)); // Friday evening
    DaySimulation day(bus, scenario, 1);
    EXPECT_EQ(day.planNextDay(), encodeDate(2026, 12, 14) + encodeTime(5, 0, 0));
    for (const auto& a : day.plan()) {
        EXPECT_GE(a.unitTime, encodeDate(2026, 12, 14) + encodeTime(5, 0, 0));
        EXPECT_LT(a.unitTime, encodeDate(2026, 12, 15));
    }
}

TEST_F(DayMode, NobodyOrNowhereIsReported) {
    Scenario empty;
    DaySimulation nobody(bus, empty, 1);
    std::string why;
    EXPECT_FALSE(nobody.ready(why));
    EXPECT_EQ(why, "Scénář nemá žádné osoby.");
    ManualClock otherClock;
    SimBus emptyBus(otherClock);
    DaySimulation nowhere(emptyBus, scenario, 1);
    EXPECT_FALSE(nowhere.ready(why));
    EXPECT_EQ(why, "Na sběrnici není docházková ani přístupová jednotka.");
}

class Console : public SimFixture {
protected:
    std::string run(const std::string& command) {
        std::ostringstream out;
        last = console.execute(command, out);
        return out.str();
    }
    SimConsole console{bus};
    ConsoleOutcome last;
};

TEST_F(Console, KeysInputsAndFaultsActOnTheUnit) {
    SimUnit& unit = addUnit(0x01);
    EXPECT_EQ(run("klic 01 0 " + std::string(kJan)),
              "01/0 0100000012345A: jednotka mimo provoz (není konfigurována)\n");
    configure(unitRecord(0x01, kUnitAccess),
              std::array{right(0x01, kJan, 0, makeHourMinute(23, 59))});
    EXPECT_EQ(run("klic 01 0 " + std::string(kJan)), "01/0 0100000012345A: povoleno, otevřeno\n");
    EXPECT_EQ(run("klic 1 1 " + std::string(kEva)), "01/1 0200000000000B: neoprávněný\n");
    EXPECT_EQ(run("vstup 01 2 1"), "01 vstup 2: AKTIVOVÁNO, událost zapsána\n");
    EXPECT_EQ(unit.events().pending(), 3u);
    EXPECT_EQ(run("udalosti 01"),
              "1: 0100000012345A 09.12.2026 08:00:00 kód 00 (čtečka 0, povoleno)\n"
              "2: 0200000000000B 09.12.2026 08:00:00 kód 11 (čtečka 1, neoprávněný)\n"
              "3: 00000000000000 09.12.2026 08:00:00 kód 3A (vstup 2, AKTIVOVÁNO)\n");
    EXPECT_EQ(run("prava 01"), "1: 0100000012345A 00:00 23:59 7F 00\n");
    EXPECT_EQ(run("porucha 01 neodpovida 2"), "01: porucha neodpovida 2x\n");
    EXPECT_EQ(unit.fault(), UnitFault::NoAnswer);
    EXPECT_EQ(run("porucha 01 zadna"), "01: porucha zadna\n");
    EXPECT_EQ(run("zpozdeni 01 40"), "01: zpoždění 40 ms\n");
    EXPECT_EQ(unit.latencyMs(), 40);
    const std::string state = run("stav 01");
    EXPECT_NE(state.find("  Stav: uzamčena\n"), std::string::npos) << state;
    EXPECT_NE(state.find("  Události: 3 čeká na sběr"), std::string::npos) << state;
}

TEST_F(Console, WrongInputIsExplained) {
    addUnit(0x01);
    EXPECT_EQ(run("stav 77"), "Jednotka 77 na sběrnici není.\n");
    EXPECT_EQ(run("stav xyz"), "Adresa jednotky jsou dvě šestnáctkové číslice.\n");
    EXPECT_EQ(run("klic 01 9 " + std::string(kJan)), "Jednotka 01 má čtečky 0..7.\n");
    EXPECT_EQ(run("klic 01 0 12"), "Klíč je 14 šestnáctkových číslic a není nulový.\n");
    EXPECT_EQ(run("vstup 01 8 1"), "Vstup je číslo 0..7 a stav 0 nebo 1 (čtečka vstupy nemá).\n");
    EXPECT_EQ(run("porucha 01 obcas").substr(0, 9), "Porucha: ");
    EXPECT_EQ(run("smazat vse"),
              "Neznámý nebo neúplný příkaz: smazat vse (napoveda vypíše příkazy)\n");
    EXPECT_EQ(last.kind, ConsoleOutcome::Kind::Done);
    EXPECT_TRUE(last.refused);
    for (const char* line : {"stav 77", "klic 01 9 0100000012345A", "vstup 01 8 1",
                             "porucha 01 obcas", "zpozdeni 01 -5", "den 0"}) {
        run(line);
        EXPECT_TRUE(last.refused) << line;
    }
    run("jednotky");
    EXPECT_FALSE(last.refused);
}

TEST_F(Console, DayModeAndQuitAreHandedToTheProgram) {
    run("den 3 1200");
    EXPECT_EQ(last.kind, ConsoleOutcome::Kind::DayStart);
    EXPECT_EQ(last.days, 3);
    EXPECT_EQ(last.rate, 1200);
    run("den");
    EXPECT_EQ(last.kind, ConsoleOutcome::Kind::DayStart);
    EXPECT_EQ(last.days, 1);
    run("den stop");
    EXPECT_EQ(last.kind, ConsoleOutcome::Kind::DayStop);
    run("konec");
    EXPECT_EQ(last.kind, ConsoleOutcome::Kind::Quit);
}

TEST_F(Console, AReaderShowsTheWaitingKey) {
    addUnit(0x00, kModelReader, 0, kNoMemory);
    EXPECT_EQ(run("klic 00 0 " + std::string(kJan)),
              "00/0 0100000012345A: klíč čeká na přečtení\n");
    EXPECT_EQ(run("udalosti 00"), "Čeká klíč 0100000012345A\n");
    EXPECT_EQ(run("klic 00 1 " + std::string(kJan)), "Jednotka 00 má čtečky 0..0.\n");
}

} // namespace
} // namespace qtr::sim::test

namespace qtr::sim::test {
namespace {

TEST_F(DayMode, CoarseStepsStillStampEachActionAtItsPlannedTime) {
    DaySimulation day(bus, scenario, 11);
    day.planNextDay();
    const std::vector<DayAction> plan = day.plan();
    clock.set(encodeDate(2026, 12, 11)); // the whole day in one step
    EXPECT_EQ(day.advance().size(), plan.size());
    std::vector<DateTime> stamps;
    for (std::uint8_t address : {0x01, 0x02}) {
        for (const auto& e : bus.unit(address)->events().events()) {
            stamps.push_back(unpackDateTime(e.packedTime));
        }
    }
    ASSERT_EQ(stamps.size(), plan.size());
    std::vector<DateTime> planned;
    for (const auto& a : plan) {
        planned.push_back(a.unitTime);
    }
    std::sort(stamps.begin(), stamps.end());
    for (std::size_t i = 0; i < plan.size(); ++i) {
        EXPECT_NEAR(stamps[i], planned[i], 1.5 / 86400) << i; // seconds are stored in twos
    }
}

} // namespace
} // namespace qtr::sim::test
