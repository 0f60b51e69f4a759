// Event memory, acknowledge, key judgement and key reading, through the
// program's transaction layer.

#include "sim/unit_clock.h"
#include "sim_fixture.h"
#include "support/hex_dump.h"

#include <string>

namespace qtr::sim::test {
namespace {

constexpr const char* kKeyA = "0100000012345A";
constexpr const char* kKeyB = "0200000000000B";
constexpr const char* kKeyC = "03000000ABCDEF";

class UnitEvents : public SimFixture {
protected:
    SimUnit& lockedUnit(std::uint8_t address = 0x0A, std::uint8_t memoryCode = 3) {
        SimUnit& u = addUnit(address, kModelVkr8, kModeAccess, memoryCode);
        configure(unitRecord(address, kUnitAccess),
                  std::array{right(address, kKeyA, 0, makeHourMinute(23, 59)),
                             right(address, kKeyB, 0, makeHourMinute(23, 59))});
        return u;
    }
    std::string itemKey() const {
        return KeyNumber::fromBytes(std::span(line.eventAnswer).subspan(4, 7)).text();
    }
    std::uint8_t itemCode() const { return line.eventAnswer[15]; }
};

TEST_F(UnitEvents, EventsComeInOrderAndEachIsReleasedOnlyByTheAcknowledge) {
    SimUnit& unit = lockedUnit();
    unit.presentKey(0, KeyNumber::parse(kKeyA), clock.now());
    clock.advanceSeconds(10);
    unit.presentKey(1, KeyNumber::parse(kKeyB), clock.now());
    clock.advanceSeconds(10);
    unit.presentKey(2, KeyNumber::parse(kKeyC), clock.now()); // no right: refused

    UnitStatusView v = status(0x0A);
    EXPECT_EQ(v.pendingEvents, "Počet nezpracovaných událostí: 3");
    EXPECT_EQ(statusU24At(7) - statusU24At(16), 36u);

    const std::pair<const char*, std::uint8_t> expected[] = {
        {kKeyA, 0x00}, {kKeyB, 0x01}, {kKeyC, 0x12}};
    for (const auto& [key, code] : expected) {
        ASSERT_TRUE(line.CteniUdalosti(0x0A)) << line.errorText;
        ASSERT_EQ(line.eventCount, 1);
        EXPECT_EQ(itemKey(), key);
        EXPECT_EQ(itemCode(), code);
        EXPECT_TRUE(line.lastExchange().acknowledged);
    }
    // No event left: one empty item, and the pointers are back at the start of the area.
    ASSERT_TRUE(line.CteniUdalosti(0x0A)) << line.errorText;
    EXPECT_EQ(line.eventCount, 0);
    EXPECT_EQ(line.lastExchange().blocks.front().size(), 19u);
    v = status(0x0A);
    EXPECT_EQ(v.pendingEvents, "Prázdný seznam událostí.");
    EXPECT_EQ(statusU24At(7), 0x010000u);
    EXPECT_EQ(statusU24At(16), 0x010000u);
}

TEST_F(UnitEvents, WithoutTheAcknowledgeTheSameEventComesAgain) {
    SimUnit& unit = lockedUnit();
    unit.presentKey(0, KeyNumber::parse(kKeyA), clock.now());
    unit.presentKey(0, KeyNumber::parse(kKeyB), clock.now());

    // The caller could not store the event: no acknowledge goes out.
    const BeforeAcknowledge refuse = [](const AnswerAreas&, std::string& why) {
        why = "disk plný";
        return false;
    };
    EXPECT_FALSE(line.CteniUdalosti(0x0A, refuse));
    EXPECT_EQ(line.errorText, "0A - disk plný");
    EXPECT_FALSE(line.lastExchange().acknowledged);
    EXPECT_EQ(unit.events().pending(), 2u);

    // The unit ignores the acknowledge once.
    unit.setFault(UnitFault::IgnoreAcknowledge, 1);
    ASSERT_TRUE(line.CteniUdalosti(0x0A));
    EXPECT_EQ(itemKey(), kKeyA);
    EXPECT_TRUE(line.lastExchange().acknowledged);
    ASSERT_TRUE(line.CteniUdalosti(0x0A));
    EXPECT_EQ(itemKey(), kKeyA);
    ASSERT_TRUE(line.CteniUdalosti(0x0A));
    EXPECT_EQ(itemKey(), kKeyB);
    EXPECT_EQ(unit.events().pending(), 0u);
}

TEST_F(UnitEvents, TheAcknowledgeReleasesOnlyWhatTheAnswerJustBeforeItHandedOut) {
    SimUnit& unit = lockedUnit();
    unit.presentKey(0, KeyNumber::parse(kKeyA), clock.now());
    startRequest(line.txPacket, 0x0A, kCmdReadNextEvent);
    completeChecksum(line.txPacket);
    const UnitAnswer first = bus.transact(requestBytes(line.txPacket));
    ASSERT_TRUE(first.awaitsAcknowledge);
    bus.transact(requestBytes(line.txPacket)); // asked again without acknowledging
    // This acknowledge follows the second answer, which carried the same event.
    bus.acknowledge();
    EXPECT_EQ(unit.events().pending(), 0u);
    bus.acknowledge(); // a stray acknowledge releases nothing more
    unit.presentKey(0, KeyNumber::parse(kKeyB), clock.now());
    bus.acknowledge();
    EXPECT_EQ(unit.events().pending(), 1u);
}

TEST_F(UnitEvents, TheItemCarriesKeyUnitTimeAndCode) {
    SimUnit& unit = lockedUnit();
    clock.advanceSeconds(11); // 08:00:11: the stamp keeps seconds in steps of two
    unit.presentKey(3, KeyNumber::parse(kKeyC), clock.now());
    ASSERT_TRUE(line.CteniUdalosti(0x0A));
    // 2026-12-09 08:00:10 = (26 << 25) | (12 << 21) | (9 << 16) | (8 << 11) | 5.
    const std::uint32_t packed = 26u << 25 | 12u << 21 | 9u << 16 | 8u << 11 | 5u;
    EXPECT_EQ(packedDateTime(unit.clock().now(clock.now())), packed);
    const std::vector<std::uint8_t> expected = {0x0A,
                                                0x00,
                                                0x00,
                                                0x01, // address, U24 read pointer 0x010000
                                                0x03,
                                                0xEF,
                                                0xCD,
                                                0xAB,
                                                0x00,
                                                0x00,
                                                0x00,
                                                static_cast<std::uint8_t>(packed),
                                                static_cast<std::uint8_t>(packed >> 8),
                                                static_cast<std::uint8_t>(packed >> 16),
                                                static_cast<std::uint8_t>(packed >> 24),
                                                0x13,
                                                0x00,
                                                0x00};
    EXPECT_BYTES(expected, std::span(line.eventAnswer).first(18));
    EXPECT_EQ(unpackDateTime(packed), encodeDate(2026, 12, 9) + encodeTime(8, 0, 10));
}

TEST_F(UnitEvents, OnlyALockedUnitRecordsAndHandsOutEvents) {
    SimUnit& unit = addUnit(0x0A);
    const Presentation p = unit.presentKey(0, KeyNumber::parse(kKeyA), clock.now());
    EXPECT_FALSE(p.inService);
    EXPECT_FALSE(p.recorded);
    ASSERT_TRUE(line.CteniUdalosti(0x0A)) << line.errorText;
    EXPECT_EQ(line.eventCount, 0);
    EXPECT_EQ(decodeUnitStatus(line.unitStatus).pendingEvents, "");
    EXPECT_EQ(status(0x0A).pendingEvents, "");
}

TEST_F(UnitEvents, AFullEventMemoryStoresNothingMoreAndSaysSoUntilEmptied) {
    SimUnit& unit = lockedUnit(0x0A, 0); // 32 kB: 16 kB of events, 1365 of them
    ASSERT_EQ(unit.events().capacity(), 16u * 1024 / 12);
    for (std::uint32_t i = 0; i < unit.events().capacity(); ++i) {
        ASSERT_TRUE(unit.presentKey(0, KeyNumber::parse(kKeyA), clock.now()).recorded);
    }
    EXPECT_FALSE(unit.presentKey(1, KeyNumber::parse(kKeyB), clock.now()).recorded);
    bool recorded = true;
    unit.changeInput(0, true, clock.now(), &recorded);
    EXPECT_FALSE(recorded);
    UnitStatusView v = status(0x0A);
    EXPECT_TRUE(v.eventMemoryOverflow);
    EXPECT_EQ(v.pendingEvents, "Počet nezpracovaných událostí: 1365");
    while (unit.events().pending() > 0) {
        ASSERT_TRUE(line.CteniUdalosti(0x0A));
        EXPECT_EQ(itemKey(), kKeyA); // the oldest events were kept
    }
    EXPECT_FALSE(status(0x0A).eventMemoryOverflow);
}

TEST_F(UnitEvents, TheBlockReadHandsOutUpToTwentyOneEventsUnderOneAcknowledge) {
    SimUnit& unit = lockedUnit();
    for (int i = 0; i < 23; ++i) {
        unit.presentKey(i % 8, KeyNumber::parse(kKeyA), clock.now());
    }
    startRequest(line.txPacket, 0x0A, kCmdReadEventBlock);
    completeChecksum(line.txPacket);
    ASSERT_TRUE(line.SerialOdeslat()) << line.errorText;
    EXPECT_EQ(line.eventCount, 21);
    EXPECT_EQ(line.lastExchange().blocks.front().size(), 303u);
    EXPECT_EQ(unit.events().pending(), 2u);
    ASSERT_TRUE(line.SerialOdeslat());
    EXPECT_EQ(line.eventCount, 2);
    EXPECT_EQ(line.eventAnswer[4 + 14 + 11], 0x06); // the 23rd came from reader 6
}

TEST_F(UnitEvents, InputChangesOfWatchedInputsAreRecorded) {
    SimUnit& unit = addUnit(0x0A);
    ControlUnitRecord rec = unitRecord(0x0A, kUnitAccess);
    rec.alarmMask = 0x01;
    configure(rec, {});
    bool recorded = false;
    EXPECT_TRUE(unit.changeInput(0, true, clock.now(), &recorded));
    EXPECT_TRUE(recorded);
    EXPECT_TRUE(unit.changeInput(1, true, clock.now(), &recorded));
    EXPECT_FALSE(recorded); // not watched
    EXPECT_TRUE(unit.changeInput(0, true, clock.now(), &recorded));
    EXPECT_FALSE(recorded); // no change
    EXPECT_TRUE(unit.changeInput(0, false, clock.now(), &recorded));
    EXPECT_TRUE(recorded);
    EXPECT_FALSE(unit.changeInput(8, true, clock.now()));

    ASSERT_TRUE(line.CteniUdalosti(0x0A));
    EXPECT_EQ(line.eventCount, 1);
    EXPECT_EQ(itemKey(), "00000000000000");
    EXPECT_EQ(itemCode(), 0x38); // input 0, "AKTIVOVÁNO"
    ASSERT_TRUE(line.CteniUdalosti(0x0A));
    EXPECT_EQ(itemCode(), 0x08); // input 0, "klidový stav"
}

class KeyJudgement : public SimFixture {};

TEST_F(KeyJudgement, TheWindowDaysAndEndsAreThoseOfTheRight) {
    SimUnit& unit = addUnit(0x0A);
    // Monday to Friday 07:30-16:00.
    configure(unitRecord(0x0A, kUnitAccess),
              std::array{right(0x0A, kKeyA, makeHourMinute(7, 30), makeHourMinute(16, 0), 0x7C)});
    const KeyNumber key = KeyNumber::parse(kKeyA);
    auto at = [&](int day, int h, int m, int s) {
        clock.set(encodeDate(2026, 12, day) + encodeTime(h, m, s));
        return unit.presentKey(0, key, clock.now()).permitted;
    };
    EXPECT_FALSE(at(9, 7, 29, 59));
    EXPECT_TRUE(at(9, 7, 30, 0));
    EXPECT_TRUE(at(9, 16, 0, 59)); // the end minute belongs to the window
    EXPECT_FALSE(at(9, 16, 1, 0));
    EXPECT_TRUE(at(11, 12, 0, 0));  // Friday
    EXPECT_FALSE(at(12, 12, 0, 0)); // Saturday
    EXPECT_FALSE(at(13, 12, 0, 0)); // Sunday
    EXPECT_TRUE(at(14, 12, 0, 0));  // Monday
    EXPECT_FALSE(unit.presentKey(0, KeyNumber::parse(kKeyB), clock.now()).permitted);
}

TEST_F(KeyJudgement, TheUnitJudgesByItsOwnClock) {
    SimUnit& unit = addUnit(0x0A);
    const ControlUnitRecord rec = unitRecord(0x0A, kUnitAccess);
    configure(rec,
              std::array{right(0x0A, kKeyA, makeHourMinute(7, 30), makeHourMinute(16, 0), 0x7F)});
    // The unit's clock says 20:00 although the PC says 08:00.
    ASSERT_TRUE(line.NastavitCasJednotky(rec, encodeDate(2026, 12, 9) + encodeTime(20, 0, 0)));
    EXPECT_FALSE(unit.presentKey(0, KeyNumber::parse(kKeyA), clock.now()).permitted);
}

TEST_F(KeyJudgement, EmptyWindowsAllowNothing) {
    UnitRight r{KeyNumber::parse(kKeyA), makeHourMinute(8, 0), makeHourMinute(8, 0), 0x7F, 0};
    EXPECT_FALSE(rightAllows(r, 3, makeHourMinute(8, 0), 0, ObjectRule::AllObjects));
    r.toTime = makeHourMinute(7, 0);
    EXPECT_FALSE(rightAllows(r, 3, makeHourMinute(7, 30), 0, ObjectRule::AllObjects));
    r.toTime = makeHourMinute(9, 0);
    r.dayMask = 0;
    EXPECT_FALSE(rightAllows(r, 3, makeHourMinute(8, 30), 0, ObjectRule::AllObjects));
    EXPECT_EQ(dayMaskBit(0), 0x01); // Sunday
    EXPECT_EQ(dayMaskBit(1), 0x40); // Monday
    EXPECT_EQ(dayMaskBit(6), 0x02); // Saturday
}

TEST_F(KeyJudgement, DoorAndBarrierUnitsOpenOnlyTheObjectsOfTheMask) {
    SimUnit& doors = addUnit(0x03, kModelVkrExp, 0x01);
    configure(unitRecord(0x03, kUnitDoor),
              std::array{right(0x03, kKeyA, 0, makeHourMinute(23, 59), 0x7F, 0x02)});
    const KeyNumber key = KeyNumber::parse(kKeyA);
    EXPECT_FALSE(doors.presentKey(0, key, clock.now()).permitted); // door 0
    EXPECT_TRUE(doors.presentKey(2, key, clock.now()).permitted);  // door 1, arrival
    EXPECT_TRUE(doors.presentKey(3, key, clock.now()).permitted);  // door 1, departure
    EXPECT_FALSE(doors.presentKey(4, key, clock.now()).permitted);

    SimUnit& barrier = addUnit(0x04, kModelVkrZav, 0x03);
    // Barrier 0 for an employee's key (kind bits 2-3 do not matter to the opening).
    configure(unitRecord(0x04, kUnitBarrier),
              std::array{right(0x04, kKeyA, 0, makeHourMinute(23, 59), 0x7F, 0x05)});
    EXPECT_TRUE(barrier.presentKey(1, key, clock.now()).permitted);
    EXPECT_FALSE(barrier.presentKey(2, key, clock.now()).permitted);
    const Presentation p = barrier.presentKey(4, key, clock.now());
    EXPECT_FALSE(p.validReader);
    EXPECT_FALSE(p.recorded);
}

TEST_F(KeyJudgement, AttendanceUnitsKnowEveryKeyAllDayAndOpenByTheRelayMask) {
    SimUnit& unit = addUnit(0x02, kModelVkr8, kModeAttendance);
    ControlUnitRecord rec = unitRecord(0x02, kUnitAttendance);
    rec.relayMask = 0x01;
    configure(rec, std::array{right(0x02, kKeyA, 0, makeHourMinute(23, 59))});
    ASSERT_TRUE(line.NastavReleMask(rec));
    EXPECT_TRUE(unit.isAttendance());
    EXPECT_EQ(status(0x02).unitType, "VKR-8 docházková");
    const KeyNumber key = KeyNumber::parse(kKeyA);
    clock.set(encodeDate(2026, 12, 13) + encodeTime(23, 59, 30)); // Sunday night
    Presentation p = unit.presentKey(0, key, clock.now());
    EXPECT_TRUE(p.permitted);
    EXPECT_TRUE(p.doorOpened);
    p = unit.presentKey(4, key, clock.now());
    EXPECT_TRUE(p.permitted);
    EXPECT_FALSE(p.doorOpened); // "Odchod" only registers
    EXPECT_EQ(p.eventCode, 0x04);
}

class KeyReading : public SimFixture {
protected:
    struct Dialogs : KeyReadDialogs {
        int asked = 0;
        std::vector<std::string> failures;
        void askForKey() override { ++asked; }
        void showReadFailure(const std::string& text) override { failures.push_back(text); }
    };
};

TEST_F(KeyReading, AReaderReportsTheKeyLastPresentedOnce) {
    SimUnit& reader = addUnit(0x00, kModelReader, 0, kNoMemory);
    Dialogs dialogs;
    KeyNumber key;
    reader.presentKey(0, KeyNumber::parse(kKeyB), clock.now());
    reader.presentKey(0, KeyNumber::parse(kKeyA), clock.now());
    ASSERT_TRUE(line.CteniKlice(0x00, key, dialogs, {}));
    EXPECT_EQ(key.text(), kKeyA);
    // Read and acknowledged: the reader has nothing more to report.
    EXPECT_FALSE(line.CteniKlice(0x00, key, dialogs, {}));
    EXPECT_TRUE(dialogs.failures.empty());
    EXPECT_EQ(dialogs.asked, 2);
    KeyNumber converter = KeyNumber::parse(kKeyC);
    EXPECT_TRUE(line.GetKonvertor(0x00, converter, {}));
    EXPECT_TRUE(converter.isZero());
}

TEST_F(KeyReading, AMissingReaderShowsTheFailureOnce) {
    Dialogs dialogs;
    KeyNumber key;
    EXPECT_FALSE(line.CteniKlice(0x00, key, dialogs, {}));
    ASSERT_EQ(dialogs.failures.size(), 1u);
    EXPECT_EQ(dialogs.failures[0], "00 - Žádná odpověď");
}

} // namespace
} // namespace qtr::sim::test
