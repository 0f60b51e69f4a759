// Unit clocks that lie: drift lines, suspect stamps and setting drifted clocks in collection.

#include "unitproc/data_collection.h"
#include "unitproc/procedure_fixture.h"
#include "unitproc/unit_clock_check.h"

namespace qtr {
namespace {

using test::joined;

TEST(ClockCheck, SignedDifferenceTexts) {
    const std::pair<long long, const char*> cases[] = {
        {0, "+0:00:00"},     {180, "+0:03:00"},    {-180, "-0:03:00"},
        {-3661, "-1:01:01"}, {93605, "+26:00:05"}, {59, "+0:00:59"},
    };
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(signedDurationText(seconds), text) << seconds;
    }
    EXPECT_EQ(clockDriftLine(0x0A, 180), "Hodiny jednotky 0A se liší o +0:03:00 od času PC");
}

TEST(ClockCheck, SuspectStampsAtTheirBoundaries) {
    const DateTime pc = encodeDate(2026, 12, 9) + encodeTime(8, 0, 0);
    const std::pair<DateTime, bool> cases[] = {
        {0.0, true},
        {encodeDate(2000, 1, 1), true},
        {encodeDate(2000, 12, 31) + encodeTime(23, 59, 58), true},
        {encodeDate(2001, 1, 1), false},
        {pc - 1, false},
        {pc + 120.0 / 86400, false},
        {pc + 122.0 / 86400, true},
    };
    for (const auto& [stamp, suspect] : cases) {
        EXPECT_EQ(isSuspectStamp(stamp, pc, 120), suspect)
            << formatDateTime("dd.mm.yyyy hh:nn:ss", stamp);
    }
}

TEST(ClockCheck, TheUnitClockOfAStatusAnswer) {
    std::array<std::uint8_t, kUnitStatusSize> s{};
    const std::array<std::uint8_t, 7> clock = {0x58, 0x59, 0x23, 0x31, 0x12, 0x01, 0x01};
    std::copy(clock.begin(), clock.end(), s.begin() + 23);
    ASSERT_TRUE(unitClockOf(s));
    EXPECT_EQ(formatDateTime("dd.mm.yyyy hh:nn:ss", *unitClockOf(s)), "31.12.2001 23:59:58");
    s[26] = 0x32; // 32 December
    EXPECT_FALSE(unitClockOf(s));
    s[26] = 0x3A; // no BCD digit
    EXPECT_FALSE(unitClockOf(s));
}

class ClockCollection : public test::ProcedureFixture {
protected:
    ClockCollection() {
        addUnit(0x01, kUnitAccess, "Vchod");
        addUnit(0x02, kUnitAccess, "Sklad");
        lockWithEvents(1, 1);
        lockWithEvents(2, 1);
        clock.advanceSeconds(60);
    }
    void shiftUnitClock(std::uint8_t address, double seconds) {
        sim::UnitClock& c = simBus.unit(address)->clock();
        c.set(c.now(clock.now()) + seconds / 86400, clock.now());
    }
    CollectionResult run(bool setDrifted = false) {
        CollectionStore store(dir / kEventFile);
        CollectionOptions options;
        options.clock = &clock;
        options.setDriftedClocks = setDrifted;
        return SberDatVsechny(line, db.units, store, log, options);
    }
};

TEST_F(ClockCollection, AUnitThreeMinutesFastGivesTheDriftLineAndTheRunGoesOn) {
    shiftUnitClock(0x01, 180);
    shiftUnitClock(0x02, 119); // within the tolerance
    const CollectionResult r = run();
    EXPECT_EQ(joined(log.lines), "Test stavu: Vchod\n"
                                 "Hodiny jednotky 01 se liší o +0:03:00 od času PC\n"
                                 "01 *\n"
                                 "Test stavu: Sklad\n"
                                 "02 *\n"
                                 "\nHotovo! \n");
    EXPECT_FALSE(r.errorFlag);
    ASSERT_EQ(r.clockNotes.size(), 1u);
    EXPECT_EQ(clockNoteLine(r.clockNotes[0]),
              "Jednotka 01 Vchod: hodiny se liší o +0:03:00 od času PC");
}

TEST_F(ClockCollection, AUnitResetTo2000GivesSuspectStampsStoredAsTheUnitSentThem) {
    simBus.unit(0x01)->clock().powerCut(clock.now());
    clock.advanceSeconds(75);
    simBus.unit(0x01)->presentKey(1, KeyNumber::parse("01000000001002"), clock.now());
    const auto held = simBus.unit(0x01)->events().events();
    ASSERT_EQ(held.size(), 2u);
    const CollectionResult r = run();
    EXPECT_EQ(joined(log.lines), "Test stavu: Vchod\n"
                                 "Hodiny jednotky 01 se liší o -236144:01:04 od času PC\n"
                                 "01 *\n"
                                 "01 * (podezřelý čas)\n"
                                 "Test stavu: Sklad\n"
                                 "02 *\n"
                                 "\nHotovo! \n");
    const auto stored = storedEvents();
    ASSERT_EQ(stored.size(), 3u);
    // Byte for byte what the unit sent, the stamp of 01.01.2000 00:01:14 included.
    std::vector<std::uint8_t> answer(18, 0);
    answer[0] = 0x01;
    const auto item = held[1].itemBytes();
    std::copy(item.begin(), item.end(), answer.begin() + 4);
    EXPECT_EQ(stored[1], buildEventRecord(answer, 1));
    EXPECT_EQ(formatDateTime("dd.mm.yyyy hh:nn:ss", stored[1].timestamp), "01.01.2000 00:01:14");
    ASSERT_EQ(r.clockNotes.size(), 1u);
    EXPECT_EQ(clockNoteLine(r.clockNotes[0]),
              "Jednotka 01 Vchod: hodiny se liší o -236144:01:04 od času PC, podezřelý čas u 1 "
              "událostí");
}

TEST_F(ClockCollection, DriftedClocksAreSetRightAfterTheirEventsAndTheOthersAreLeftAlone) {
    shiftUnitClock(0x01, -600);
    shiftUnitClock(0x02, 30);
    const CollectionResult r = run(true);
    EXPECT_EQ(joined(log.lines), "Test stavu: Vchod\n"
                                 "Hodiny jednotky 01 se liší o -0:10:00 od času PC\n"
                                 "01 *\n"
                                 "01 Vchod - nastaveno\n"
                                 "Test stavu: Sklad\n"
                                 "02 *\n"
                                 "\nHotovo! \n");
    EXPECT_NEAR(simBus.unit(0x01)->clock().now(clock.now()), clock.now(), 1.0 / 86400);
    EXPECT_NEAR(simBus.unit(0x02)->clock().now(clock.now()), clock.now() + 30.0 / 86400,
                0.5 / 86400);
    ASSERT_EQ(r.clockNotes.size(), 1u);
    EXPECT_EQ(clockNoteLine(r.clockNotes[0]),
              "Jednotka 01 Vchod: hodiny se liší o -0:10:00 od času PC, nastaveny podle PC");
}

} // namespace
} // namespace qtr
