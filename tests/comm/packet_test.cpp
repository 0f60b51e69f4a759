#include "base/date_time.h"
#include "comm/packet.h"
#include "comm/unit_requests.h"
#include "support/hex_dump.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

using test::fromHex;

std::vector<std::uint8_t> sent(const TxPacket& p) {
    const auto b = requestBytes(p);
    return {b.begin(), b.end()};
}

TEST(CommandTable, LengthsAndIndexesInTableOrder) {
    const std::vector<std::tuple<int, int, int>> expected = {
        {0x80, 19, 1}, {0x81, 16, 1}, {0x82, 11, 1},  {0x83, 10, 1}, {0x84, 3, 302}, {0x85, 3, 1},
        {0x86, 3, 1},  {0x87, 16, 1}, {0x88, 3, 260}, {0x89, 12, 1}, {0x8A, 3, 30},  {0x8B, 4, 1},
        {0x8C, 4, 1},  {0x8D, 3, 1},  {0x8E, 3, 18},  {0x8F, 11, 1}, {0x90, 11, 1}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto [code, l, n] = expected[i];
        const auto c = static_cast<std::uint8_t>(code);
        EXPECT_EQ(commandIndex(c), static_cast<int>(i) + 1) << code;
        EXPECT_EQ(requestLength(c), l) << code;
        EXPECT_EQ(answerLength(c), n) << code;
    }
    for (const int unknown : {0x00, 0x01, 0x7F, 0x91, 0xAA, 0xFF}) {
        const auto c = static_cast<std::uint8_t>(unknown);
        EXPECT_EQ(commandIndex(c), 0);
        EXPECT_EQ(requestLength(c), 0);
        EXPECT_EQ(answerLength(c), 0);
    }
}

TEST(Checksum, SumOfBytesBeforeIndexLModulo256) {
    TxPacket p{};
    p[0] = 0xFF;
    p[1] = 4;
    p[2] = 0xFF;
    p[3] = 0x03;
    p[5] = 0x77; // beyond L: not summed, not touched
    completeChecksum(p);
    EXPECT_EQ(p[4], 0x05); // 0xFF + 4 + 0xFF + 3 = 0x205
    EXPECT_EQ(p[5], 0x77);
    EXPECT_EQ(byteSum(std::vector<std::uint8_t>{}), 0);
}

TEST(StartRequest, UnknownCodeLeavesThePacketAlone) {
    TxPacket p{};
    p[0] = 0x33;
    EXPECT_EQ(startRequest(p, 0x01, 0x91), 0);
    EXPECT_EQ(p[0], 0x33);
}

TEST(GoldenRequests, ResetLockStatusEvent) {
    TxPacket p{};
    buildResetRequest(p, 0x0A);
    EXPECT_BYTES(fromHex("0A 03 85 92"), sent(p));
    buildLockRequest(p, 0x01);
    EXPECT_BYTES(fromHex("01 03 86 8A"), sent(p));
    buildStatusRequest(p, 0x0A);
    EXPECT_BYTES(fromHex("0A 03 8A 97"), sent(p));
    buildReadEventRequest(p, 0x00);
    EXPECT_BYTES(fromHex("00 03 8E 91"), sent(p));
}

TEST(GoldenRequests, ClockOfMonday31December2001) {
    TxPacket p{};
    buildClockRequest(p, 0x01, encodeDate(2001, 12, 31) + encodeTime(23, 59, 58));
    EXPECT_BYTES(fromHex("01 0A 83 58 59 23 31 12 01 01 A7"), sent(p));
}

TEST(GoldenRequests, ClockDayOfWeekSundayIsZeroAndYearModulo100) {
    TxPacket p{};
    buildClockRequest(p, 0x02, encodeDate(2026, 12, 6) + encodeTime(7, 5, 0)); // a Sunday
    EXPECT_EQ(p[8], 0x00);
    EXPECT_EQ(p[9], 0x26);
    EXPECT_EQ(p[5], 0x07);
    EXPECT_EQ(p[4], 0x05);
    buildClockRequest(p, 0x02, encodeDate(2026, 12, 12)); // a Saturday
    EXPECT_EQ(p[8], 0x06);
}

TEST(GoldenRequests, RightCarriesBcdTimesAndGoesToItsUnit) {
    RightRecord r;
    r.keyNumber.bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
    r.fromTime = makeHourMinute(7, 30);
    r.toTime = makeHourMinute(16, 0);
    r.dayMask = 0x7F;
    r.unitAddress = 0x0C;
    r.objectMask = 0x05;
    TxPacket p{};
    buildRightRequest(p, r);
    EXPECT_BYTES(fromHex("0C 10 81 05 01 02 03 04 05 06 07 7F 07 30 16 00 8A"), sent(p));
}

TEST(GoldenRequests, RightWithInvalidTimeSendsFF) {
    RightRecord r;
    r.fromTime = kInvalidHourMinute; // 255:255
    TxPacket p{};
    buildRightRequest(p, r);
    EXPECT_EQ(p[12], 0xFF);
    EXPECT_EQ(p[13], 0xFF);
}

TEST(GoldenRequests, MasksAndConfigurationFromTheUnitRecord) {
    ControlUnitRecord u;
    u.address = 0x05;
    u.alarmMask = 0x3F;
    u.relayMask = 0x81;
    for (std::size_t i = 0; i < u.parameters.size(); ++i) {
        u.parameters[i] = static_cast<std::uint8_t>(0x10 + i);
    }
    TxPacket p{};
    buildAlarmMaskRequest(p, u);
    EXPECT_BYTES(fromHex("05 04 8C 3F D4"), sent(p));
    buildRelayMaskRequest(p, u);
    EXPECT_BYTES(fromHex("05 04 8B 81 15"), sent(p));
    buildConfigureRequest(p, u);
    EXPECT_BYTES(fromHex("05 13 80 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F 10"), sent(p));
}

} // namespace
} // namespace qtr
