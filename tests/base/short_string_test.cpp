#include "base/short_string.h"
#include "support/hex_dump.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

TEST(ShortString, StoresLengthByteAndWin1250Bytes) {
    ShortString<5> s("Čas");
    EXPECT_BYTES(test::fromHex("03 C8 61 73 00 00"), s.raw());
    EXPECT_EQ(s.text(), "Čas");
    EXPECT_EQ(s.length(), 3u);
}

TEST(ShortString, LongerTextIsCutToItsCapacityInCharacters) {
    ShortString<4> s("žluťoučký");
    EXPECT_EQ(s.length(), 4u);
    EXPECT_EQ(s.text(), "žluť");
}

TEST(ShortString, BytesAfterTheLengthAreKeptForAByteIdenticalRoundTrip) {
    const auto raw = test::fromHex("02 41 42 43 44 45");
    auto s = ShortString<5>::fromBytes(raw);
    EXPECT_EQ(s.text(), "AB");
    std::array<std::uint8_t, 6> out{};
    s.toBytes(out);
    EXPECT_BYTES(raw, out);

    // Storing a shorter text leaves the bytes beyond it as they were.
    s.setText("Z");
    s.toBytes(out);
    EXPECT_BYTES(test::fromHex("01 5A 42 43 44 45"), out);
}

TEST(ShortString, LengthByteAboveCapacityReadsAsCapacity) {
    const auto raw = test::fromHex("09 41 42 43");
    auto s = ShortString<2>::fromBytes(raw);
    EXPECT_EQ(s.text(), "AB");
}

TEST(ShortString, UnknownCharactersBecomeQuestionMarks) {
    ShortString<10> s("日本");
    EXPECT_EQ(s.text(), "??");
}

TEST(TextOrder, ComparesUnsignedCodesWithThePrefixFirst) {
    EXPECT_LT(compareWin1250("Z", utf8ToWin1250("Č")), 0); // 0x5A before 0xC8
    EXPECT_LT(compareWin1250("Novák", "Nováková"), 0);
    EXPECT_GT(compareWin1250("b", "a"), 0);
    EXPECT_EQ(compareWin1250("abc", "abc"), 0);
    EXPECT_LT(compareWin1250("", "a"), 0);
}

} // namespace
} // namespace qtr
