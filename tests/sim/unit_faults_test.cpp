// Every fault a unit can be told to show, with the verdict the program gives.

#include "sim_fixture.h"

namespace qtr::sim::test {
namespace {

class UnitFaults : public SimFixture {
protected:
    SimUnit& unit = addUnit(0x0A);
    ControlUnitRecord rec = unitRecord(0x0A, kUnitAccess);

    void lockWithOneEvent() {
        configure(rec, {});
        unit.presentKey(0, KeyNumber::parse("0100000012345A"), clock.now());
    }
};

TEST_F(UnitFaults, NoAnswerIsATimeOut) {
    unit.setFault(UnitFault::NoAnswer);
    EXPECT_FALSE(line.CteniStavuJednotky(0x0A));
    EXPECT_EQ(line.errorText, "0A - Žádná odpověď");
    EXPECT_FALSE(line.NulovatJednotku(rec));
    EXPECT_EQ(line.errorText, "0A - Žádná odpověď");
    // The time-out runs from the moment the address byte has gone.
    EXPECT_EQ(line.lastExchange().lineMs, 2000.0 + 11 * 1000.0 / 9600);
}

// As on the serial line, the 50 ms of silence that end the answer must be over within the
// 2000 ms: request 4 bytes, latency, 31 answer bytes at 9600 Bd, silence; 1911 ms is the
// last latency that makes it.
TEST_F(UnitFaults, ASlowAnswerCountsOnlyWhenItsSilenceEndsInTime) {
    for (const auto& [latency, timedOut] : {std::pair{1911, false}, {1912, true}, {1960, true}}) {
        unit.setLatencyMs(latency);
        EXPECT_EQ(line.CteniStavuJednotky(0x0A), !timedOut) << latency;
        EXPECT_EQ(line.lastExchange().timedOut, timedOut) << latency;
        EXPECT_EQ(line.errorText, timedOut ? "0A - Žádná odpověď" : "") << latency;
    }
}

TEST_F(UnitFaults, AWrongChecksumIsNotTakenAndTheEventStays) {
    lockWithOneEvent();
    unit.setFault(UnitFault::WrongChecksum, 1);
    EXPECT_FALSE(line.CteniUdalosti(0x0A));
    EXPECT_EQ(line.errorText, "0A chyba Rx-CRC");
    EXPECT_FALSE(line.lastExchange().acknowledged);
    EXPECT_EQ(unit.events().pending(), 1u);
    ASSERT_TRUE(line.CteniUdalosti(0x0A)) << line.errorText;
    EXPECT_EQ(line.eventCount, 1);
    EXPECT_EQ(unit.events().pending(), 0u);
}

TEST_F(UnitFaults, OneByteRepliesHaveNoChecksumOrAddressToSpoil) {
    unit.setFault(UnitFault::WrongChecksum);
    EXPECT_TRUE(line.KonfigurovatJednotku(rec)) << line.errorText;
    unit.setFault(UnitFault::ForeignAddress);
    EXPECT_TRUE(line.NulovatJednotku(rec)) << line.errorText;
}

TEST_F(UnitFaults, AnAnswerFromAnotherAddressIsRefused) {
    lockWithOneEvent();
    unit.setFault(UnitFault::ForeignAddress);
    EXPECT_FALSE(line.CteniUdalosti(0x0A));
    EXPECT_EQ(line.errorText, "0B/0A Odpovídá jiná jednotka!");
    EXPECT_FALSE(line.lastExchange().acknowledged);
    EXPECT_EQ(unit.events().pending(), 1u);
    EXPECT_FALSE(line.CteniStavuJednotky(0x0A));
    EXPECT_EQ(line.errorText, "0B/0A Odpovídá jiná jednotka!");
    EXPECT_FALSE(line.lastExchange().acknowledged);
}

TEST_F(UnitFaults, ASplitAnswerArrivesAsTwoBlocks) {
    unit.setFault(UnitFault::SplitAnswer);
    EXPECT_FALSE(line.CteniStavuJednotky(0x0A));
    EXPECT_EQ(line.errorText, "0A  Nesprávná délka paketu: 15");
    ASSERT_EQ(line.lastExchange().blocks.size(), 2u);
    EXPECT_EQ(line.lastExchange().blocks[1].size(), 16u);
}

TEST_F(UnitFaults, GarbageIsNoValidAnswer) {
    unit.setFault(UnitFault::Garbage);
    EXPECT_FALSE(line.NulovatJednotku(rec));
    EXPECT_EQ(line.errorText, "0A ???");
    EXPECT_FALSE(line.CteniStavuJednotky(0x0A));
    EXPECT_EQ(line.errorText, "0A  Nesprávná délka paketu: 7");
    EXPECT_FALSE(line.CteniUdalosti(0x0A));
    EXPECT_EQ(line.errorText, "0A chyba Rx-CRC");
}

TEST_F(UnitFaults, AnOversizedAnswerIsTooLong) {
    unit.setFault(UnitFault::OversizedAnswer);
    EXPECT_FALSE(line.CteniStavuJednotky(0x0A));
    EXPECT_EQ(line.errorText, "0A -  příliš dlouhý paket!");
    EXPECT_EQ(line.lastExchange().blocks.front().size(), kOversizedAnswerBytes);
}

TEST_F(UnitFaults, ALateAnswerIsNoAnswerAndReleasesNothing) {
    lockWithOneEvent();
    unit.setFault(UnitFault::LateAnswer);
    EXPECT_FALSE(line.CteniUdalosti(0x0A));
    EXPECT_EQ(line.errorText, "0A - Žádná odpověď");
    EXPECT_EQ(unit.events().pending(), 1u);
}

TEST_F(UnitFaults, ACountedFaultEndsByItself) {
    unit.setFault(UnitFault::NoAnswer, 2);
    EXPECT_FALSE(line.CteniStavuJednotky(0x0A));
    EXPECT_FALSE(line.CteniStavuJednotky(0x0A));
    EXPECT_TRUE(line.CteniStavuJednotky(0x0A)) << line.errorText;
    EXPECT_EQ(unit.fault(), UnitFault::None);
}

TEST_F(UnitFaults, TheLineTimeOfAnExchangeFollowsTheLineSpeed) {
    EXPECT_TRUE(line.CteniStavuJednotky(0x0A));
    // 4 request bytes, 10 ms latency, 31 answer bytes, 50 ms of silence.
    EXPECT_DOUBLE_EQ(line.lastExchange().lineMs, (4 + 31) * 11 * 1000.0 / 9600 + 10 + 50);
    SimulatedTransaction slow(bus, SimulatedLine{false, 2400, 50, 2000});
    EXPECT_TRUE(slow.CteniStavuJednotky(0x0A));
    EXPECT_DOUBLE_EQ(slow.lastExchange().lineMs, (4 + 31) * 11 * 1000.0 / 2400 + 10 + 50);
}

TEST_F(UnitFaults, AnInterruptEndsTheWaitAndTheLateEventStaysWithTheUnit) {
    lockWithOneEvent();
    line.onPendingMessages = [this] { line.aborted = true; };
    EXPECT_FALSE(line.CteniUdalosti(0x0A));
    EXPECT_EQ(line.errorText, "... přerušeno!");
    EXPECT_EQ(unit.events().pending(), 1u);
    line.onPendingMessages = nullptr;
    EXPECT_TRUE(line.CteniUdalosti(0x0A)) << line.errorText;
    EXPECT_EQ(line.eventCount, 1);
}

TEST(FaultWords, EveryFaultHasAConsoleWord) {
    for (auto f :
         {UnitFault::None, UnitFault::NoAnswer, UnitFault::WrongChecksum, UnitFault::ForeignAddress,
          UnitFault::SplitAnswer, UnitFault::Garbage, UnitFault::OversizedAnswer,
          UnitFault::LateAnswer, UnitFault::IgnoreAcknowledge}) {
        const auto back = faultFromWord(faultWord(f));
        ASSERT_TRUE(back.has_value()) << faultWord(f);
        EXPECT_EQ(*back, f);
    }
    EXPECT_FALSE(faultFromWord("jina").has_value());
}

} // namespace
} // namespace qtr::sim::test
