// The unit model against the program's own packet code and transaction layer.

#include "comm/unit_requests.h"
#include "sim_fixture.h"
#include "support/hex_dump.h"

namespace qtr::sim::test {
namespace {

using UnitStates = SimFixture;

TEST_F(UnitStates, ConfigureResetRightsLockByHandAsTheFullConfigurationDoes) {
    SimUnit& unit = addUnit(0x0A);
    const ControlUnitRecord rec = unitRecord(0x0A, kUnitAccess);
    EXPECT_EQ(status(0x0A).unitState, "není konfigurována");

    ASSERT_TRUE(line.KonfigurovatJednotku(rec)) << line.errorText;
    EXPECT_EQ(status(0x0A).unitState, "konfigurována");
    EXPECT_EQ(unit.mode(), 0x51); // the mode byte follows configuration byte 0
    EXPECT_EQ(status(0x0A).unitType, "VKR-8 přístupová");

    ASSERT_TRUE(line.NulovatJednotku(rec)) << line.errorText;
    EXPECT_EQ(status(0x0A).unitState, "vynulována");

    ASSERT_TRUE(line.DuplicitniOpravneni(
        right(0x0A, "0100000012345A", makeHourMinute(7, 30), makeHourMinute(16, 0))))
        << line.errorText;
    ASSERT_TRUE(line.DuplicitniOpravneni(
        right(0x0A, "0100000012345B", makeHourMinute(0, 0), makeHourMinute(23, 59))))
        << line.errorText;
    ASSERT_TRUE(line.UzamknoutJednotku(rec)) << line.errorText;
    ASSERT_TRUE(line.NastavitCasJednotky(rec, clock.now())) << line.errorText;
    ASSERT_TRUE(line.NastavTamperMask(rec)) << line.errorText;

    const UnitStatusView v = status(0x0A);
    EXPECT_EQ(v.unitState, "uzamčena");
    EXPECT_EQ(v.rightsCount, "Počet oprávnění: 2");
    EXPECT_EQ(v.pendingEvents, "Prázdný seznam událostí.");
    EXPECT_EQ(v.memory, "128 kB");
    EXPECT_EQ(statusU24At(10), 16u + 2 * 14);
    ASSERT_EQ(unit.rights().count(), 2u);
    EXPECT_EQ(unit.rights().rights()[0].fromTime, makeHourMinute(7, 30));
    EXPECT_EQ(unit.rights().rights()[0].toTime, makeHourMinute(16, 0));
    EXPECT_EQ(unit.rights().rights()[0].key.text(), "0100000012345A");
}

TEST_F(UnitStates, ACommandThatMakesNoSenseInTheStateIsRefusedWithItsStatusCode) {
    addUnit(0x0A);
    const ControlUnitRecord rec = unitRecord(0x0A, kUnitAccess);
    const RightRecord r = right(0x0A, "0100000012345A", 0, makeHourMinute(23, 59));

    EXPECT_FALSE(line.NulovatJednotku(rec));
    EXPECT_EQ(line.errorText, "0A chyba: kontext povelu");
    EXPECT_FALSE(line.UzamknoutJednotku(rec));
    EXPECT_EQ(line.errorText, "0A chyba: kontext povelu");
    ASSERT_TRUE(line.KonfigurovatJednotku(rec));
    EXPECT_FALSE(line.DuplicitniOpravneni(r));
    EXPECT_EQ(line.errorText, "0A chyba: kontext povelu");
    EXPECT_FALSE(line.UzamknoutJednotku(rec));
    EXPECT_EQ(line.errorText, "0A chyba: kontext povelu");

    ASSERT_TRUE(line.NulovatJednotku(rec));
    ASSERT_TRUE(line.UzamknoutJednotku(rec));
    for (bool ok :
         {line.DuplicitniOpravneni(r), line.NulovatJednotku(rec), line.UzamknoutJednotku(rec)}) {
        EXPECT_FALSE(ok);
        EXPECT_EQ(line.errorText, "0A chyba: uzamčeno");
    }
    // Time setting and masks reach a locked unit: they follow the lock.
    EXPECT_TRUE(line.NastavitCasJednotky(rec, clock.now())) << line.errorText;
    EXPECT_TRUE(line.NastavTamperMask(rec)) << line.errorText;
    EXPECT_TRUE(line.NastavReleMask(rec)) << line.errorText;
}

TEST_F(UnitStates, ConfigurationOfAUnitWithUncollectedEventsIsRefusedUntilTheyAreCollected) {
    SimUnit& unit = addUnit(0x0A);
    const ControlUnitRecord rec = unitRecord(0x0A, kUnitAccess);
    configure(rec, {});
    unit.presentKey(0, KeyNumber::parse("0100000012345A"), clock.now());

    EXPECT_FALSE(line.KonfigurovatJednotku(rec));
    EXPECT_EQ(line.errorText, "0A chyba: neprázdný seznam událostí");
    EXPECT_EQ(unit.state(), kStateLocked);

    ASSERT_TRUE(line.CteniUdalosti(0x0A));
    ASSERT_EQ(line.eventCount, 1);
    ASSERT_TRUE(line.CteniUdalosti(0x0A));
    ASSERT_EQ(line.eventCount, 0);
    EXPECT_TRUE(line.KonfigurovatJednotku(rec)) << line.errorText;
    EXPECT_EQ(unit.state(), kStateConfigured);
    EXPECT_EQ(unit.rights().count(), 0u);
}

TEST_F(UnitStates, RightsBeyondTheMemoryAreRefusedAndResetClearsThem) {
    SimUnit& unit = addUnit(0x0A, kModelVkr8, kModeAccess, 0); // 32 kB
    const ControlUnitRecord rec = unitRecord(0x0A, kUnitAccess);
    ASSERT_TRUE(line.KonfigurovatJednotku(rec));
    ASSERT_TRUE(line.NulovatJednotku(rec));
    const std::size_t capacity = (16 * 1024 - 16) / 14;
    ASSERT_EQ(unit.rights().capacity(), capacity);
    RightRecord r = right(0x0A, "0100000012345A", 0, makeHourMinute(23, 59));
    for (std::size_t i = 0; i < capacity; ++i) {
        r.keyNumber.bytes[1] = static_cast<std::uint8_t>(i);
        r.keyNumber.bytes[2] = static_cast<std::uint8_t>(i >> 8);
        ASSERT_TRUE(line.DuplicitniOpravneni(r)) << i << " " << line.errorText;
    }
    EXPECT_FALSE(line.DuplicitniOpravneni(r));
    EXPECT_EQ(line.errorText, "0A chyba: nelze");
    EXPECT_EQ(status(0x0A).rightsCount, "Počet oprávnění: " + std::to_string(capacity));

    ASSERT_TRUE(line.NulovatJednotku(rec));
    EXPECT_EQ(status(0x0A).rightsCount, "Počet oprávnění: 0");
}

TEST_F(UnitStates, ExpanderAndBarrierUnitsCountTheirRightsInFifteenByteSlots) {
    addUnit(0x03, kModelVkrExp, 0x01);
    configure(unitRecord(0x03, kUnitDoor),
              std::array{right(0x03, "0100000012345A", 0, makeHourMinute(23, 59), 0x7F, 0x01)});
    EXPECT_EQ(statusU24At(10), 0u);
    const UnitStatusView v = status(0x03);
    EXPECT_EQ(statusU24At(10), 256u + 15);
    EXPECT_EQ(v.rightsCount, "Počet oprávnění: 1");
    EXPECT_EQ(v.unitType, "VKR-EXP");
}

TEST_F(UnitStates, DamagedWrongAndUnknownRequestsGetTheirStatusCodes) {
    addUnit(0x0A);
    buildResetRequest(line.txPacket, 0x0A);
    line.txPacket[3] ^= 0x01; // checksum no longer fits
    EXPECT_FALSE(line.SerialOdeslat());
    EXPECT_EQ(line.errorText, "0A chyba: CRC");

    // Known to the line, meaningless to these units.
    startRequest(line.txPacket, 0x0A, 0x82);
    completeChecksum(line.txPacket);
    EXPECT_FALSE(line.SerialOdeslat());
    EXPECT_EQ(line.errorText, "0A chyba: neznámý povel");

    ASSERT_TRUE(line.KonfigurovatJednotku(unitRecord(0x0A, kUnitAccess)));
    ASSERT_TRUE(line.NulovatJednotku(unitRecord(0x0A, kUnitAccess)));
    // An invalid time goes out as BCD 0xFF: the unit will not store such a window.
    EXPECT_FALSE(line.DuplicitniOpravneni(right(0x0A, "0100000012345A", 0, kInvalidHourMinute)));
    EXPECT_EQ(line.errorText, "0A chyba: nepřípustné");

    // A clock that does not exist.
    buildClockRequest(line.txPacket, 0x0A, clock.now());
    line.txPacket[6] = 0x31; // day 31
    line.txPacket[7] = 0x11; // of November
    completeChecksum(line.txPacket);
    EXPECT_FALSE(line.SerialOdeslat());
    EXPECT_EQ(line.errorText, "0A chyba: nepřípustné");
}

TEST_F(UnitStates, AnAddressWithoutAUnitKeepsSilent) {
    addUnit(0x0A);
    EXPECT_FALSE(line.CteniStavuJednotky(0x0B));
    EXPECT_EQ(line.errorText, "0B - Žádná odpověď");
    EXPECT_TRUE(line.lastExchange().timedOut);
}

TEST_F(UnitStates, StatusAnswerBytes) {
    SimUnit& unit = addUnit(0x0A, kModelVkr8, kModeAccess, 3);
    ControlUnitRecord rec = unitRecord(0x0A, kUnitAccess);
    rec.alarmMask = 0x3F;
    rec.relayMask = 0x05;
    configure(rec, std::array{right(0x0A, "0100000012345A", 0, makeHourMinute(23, 59))});
    ASSERT_TRUE(line.NastavReleMask(rec));
    clock.advanceSeconds(5);
    unit.presentKey(0, KeyNumber::parse("0100000012345A"), clock.now());
    ASSERT_TRUE(line.CteniStavuJednotky(0x0A));
    // Memory 128 kB: rights from 16, events from 64 kB = 0x010000; one event waits.
    EXPECT_BYTES(qtr::test::fromHex("0A 01 02 51 03 3F 05"
                                    " 0C 00 01  1E 00 00  00 00 00  00 00 01  00 00 00  00"
                                    " 05 00 08 09 12 03 26"),
                 line.unitStatus);
    EXPECT_TRUE(line.lastExchange().acknowledged);
    const UnitStatusView v = decodeUnitStatus(line.unitStatus);
    EXPECT_EQ(v.pendingEvents, "Počet nezpracovaných událostí: 1");
    EXPECT_EQ(v.unitClock, "09.12.26 08:00:05 - středa");
}

TEST_F(UnitStates, TheClockSetByTheProgramRunsOnOverMidnightAndTheNewYear) {
    addUnit(0x01);
    const ControlUnitRecord rec = unitRecord(0x01, kUnitAccess);
    // Monday 31 December 2001, 23:59:58.
    ASSERT_TRUE(line.NastavitCasJednotky(rec, encodeDate(2001, 12, 31) + encodeTime(23, 59, 58)));
    EXPECT_BYTES(qtr::test::fromHex("01 0A 83 58 59 23 31 12 01 01 A7"),
                 line.lastExchange().request);
    clock.advanceSeconds(3);
    ASSERT_TRUE(line.CteniStavuJednotky(0x01));
    EXPECT_BYTES(qtr::test::fromHex("01 00 00 01 01 02 02"),
                 std::span(line.unitStatus).subspan(23, 7));
}

TEST_F(UnitStates, AFreshUnitClockRunsFromTheStartOf2000) {
    addUnit(0x01);
    clock.advanceSeconds(61);
    ASSERT_TRUE(line.CteniStavuJednotky(0x01));
    // Saturday 1 January 2000, 00:01:01.
    EXPECT_BYTES(qtr::test::fromHex("01 01 00 01 01 06 00"),
                 std::span(line.unitStatus).subspan(23, 7));
}

TEST_F(UnitStates, AReaderKnowsOnlyStatusKeysAndClock) {
    addUnit(0x00, kModelReader, 0, kNoMemory);
    const UnitStatusView v = status(0x00);
    EXPECT_EQ(v.unitType, "ČTECÍ");
    EXPECT_EQ(v.memory, "žádná paměť");
    EXPECT_EQ(v.rightsCount, "Počet oprávnění: 0");
    EXPECT_FALSE(line.KonfigurovatJednotku(unitRecord(0x00, kUnitAccess)));
    EXPECT_EQ(line.errorText, "00 chyba: neznámý povel");
    EXPECT_TRUE(line.NastavitCasJednotky(unitRecord(0x00, kUnitAccess), clock.now()));
}

} // namespace
} // namespace qtr::sim::test
