// Cutting the PC's byte stream into requests on a line without parity.

#include "sim/request_framer.h"
#include "support/hex_dump.h"

#include <gtest/gtest.h>

namespace qtr::sim {
namespace {

using Kind = RequestFramer::Item::Kind;
using qtr::test::fromHex;

TEST(RequestFramer, FramesByTheLengthByteAlsoWhenTheAddressComesAlone) {
    RequestFramer f;
    f.push(fromHex("0A"), 0.0); // the address byte goes out first, the rest after the gap
    EXPECT_TRUE(f.take(3.0).empty());
    f.push(fromHex("03 85"), 6.0);
    EXPECT_TRUE(f.take(6.0).empty());
    f.push(fromHex("92 01 03 86 8A"), 7.0);
    const auto items = f.take(7.0);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].kind, Kind::Request);
    EXPECT_BYTES(fromHex("0A 03 85 92"), items[0].bytes);
    EXPECT_EQ(items[1].kind, Kind::Request);
    EXPECT_BYTES(fromHex("01 03 86 8A"), items[1].bytes);
    EXPECT_FALSE(f.deadline().has_value());
}

TEST(RequestFramer, AnUnfinishedRequestIsDroppedAfterSilence) {
    RequestFramer f;
    f.push(fromHex("0A 13 80 51"), 0.0);
    EXPECT_TRUE(f.take(kStaleFrameMs - 1).empty());
    ASSERT_EQ(f.deadline().value(), kStaleFrameMs);
    const auto items = f.take(kStaleFrameMs);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].kind, Kind::Dropped);
    f.push(fromHex("0A 03 85 92"), kStaleFrameMs + 5);
    ASSERT_EQ(f.take(kStaleFrameMs + 5).size(), 1u);
}

TEST(RequestFramer, NoiseIsSkippedByteByByteUntilARequestBegins) {
    RequestFramer f;
    f.push(fromHex("FF 00 0A 03 8A 8D 0A 03 85 99"), 0.0);
    const auto items = f.take(0.0);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].kind, Kind::Dropped); // FF: 00 is no length
    EXPECT_EQ(items[1].kind, Kind::Dropped); // 00: 0A is a length, 03 no command of it
    EXPECT_EQ(items[2].kind, Kind::Request);
    EXPECT_BYTES(fromHex("0A 03 8A 8D"), items[2].bytes);
    // A wrong checksum is no noise: the unit refuses it itself.
    EXPECT_EQ(items[3].kind, Kind::Request);
    EXPECT_BYTES(fromHex("0A 03 85 99"), items[3].bytes);
}

TEST(RequestFramer, AfterADataAnswerALoneAaIsTheAcknowledge) {
    RequestFramer f;
    f.expectAcknowledge();
    f.push(fromHex("AA"), 0.0);
    // It might still be the address of a request to unit AA: wait a moment.
    EXPECT_TRUE(f.take(kAcknowledgeDecisionMs - 1).empty());
    const auto items = f.take(kAcknowledgeDecisionMs);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].kind, Kind::Acknowledge);
    EXPECT_FALSE(f.acknowledgeExpected());
}

TEST(RequestFramer, AnAcknowledgeFollowedAtOnceByTheNextRequestIsBoth) {
    RequestFramer f;
    f.expectAcknowledge();
    f.push(fromHex("AA 05 03 8E 96"), 0.0);
    const auto items = f.take(0.0);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].kind, Kind::Acknowledge);
    EXPECT_EQ(items[1].kind, Kind::Request);
    EXPECT_BYTES(fromHex("05 03 8E 96"), items[1].bytes);
}

TEST(RequestFramer, ACompleteRequestToUnitAaIsNoAcknowledge) {
    RequestFramer f;
    f.expectAcknowledge();
    f.push(fromHex("AA 03 8A 37"), 0.0);
    const auto items = f.take(0.0);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].kind, Kind::Request);
    EXPECT_BYTES(fromHex("AA 03 8A 37"), items[0].bytes);
}

TEST(RequestFramer, WithoutADataAnswerAaIsAnAddress) {
    RequestFramer f;
    f.push(fromHex("AA"), 0.0);
    EXPECT_TRUE(f.take(50.0).empty());
    f.push(fromHex("03 85 32"), 51.0);
    const auto items = f.take(51.0);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].kind, Kind::Request);
}

} // namespace
} // namespace qtr::sim
