#include "base/key_number.h"
#include "support/hex_dump.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

TEST(KeyNumber, TextListsBytesZeroThenSixDownToOne) {
    const KeyNumber k = KeyNumber::parse("0102030405060A");
    EXPECT_BYTES(test::fromHex("01 0A 06 05 04 03 02"), k.bytes);
    EXPECT_EQ(k.text(), "0102030405060A");
}

TEST(KeyNumber, ShortTextIsPaddedOnTheLeftOfEachPair) {
    EXPECT_BYTES(test::fromHex("01 00 00 00 00 00 00"), KeyNumber::parse("1").bytes);
    // "123": byte 0 from "12", byte 6 from "3" padded to "03".
    EXPECT_BYTES(test::fromHex("12 00 00 00 00 00 03"), KeyNumber::parse("123").bytes);
    EXPECT_TRUE(KeyNumber::parse("").isZero());
}

TEST(KeyNumber, ParsingUpperCasesAndDoesNotValidate) {
    EXPECT_EQ(KeyNumber::parse("ab00000000000f").text(), "AB00000000000F");
    // 'G' is worth 16 by the digit rule: "0G" = 0*16 + 16.
    EXPECT_EQ(KeyNumber::parse("0G").bytes[0], 0x10);
}

TEST(KeyNumber, ZeroKeyMeansNoKey) {
    KeyNumber k;
    EXPECT_TRUE(k.isZero());
    EXPECT_EQ(k.text(), "00000000000000");
    k.bytes[3] = 1;
    EXPECT_FALSE(k.isZero());
}

TEST(KeyNumber, OrderIsTheOrderOfTheTexts) {
    const std::vector<std::string> texts = {"00000000000001", "000000000000FF", "00FF0000000000",
                                            "01000000000000", "0100000000000A", "FF000000000000"};
    for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
        const KeyNumber a = KeyNumber::parse(texts[i]);
        const KeyNumber b = KeyNumber::parse(texts[i + 1]);
        EXPECT_LT(a, b) << texts[i] << " < " << texts[i + 1];
        EXPECT_GT(b, a);
    }
    EXPECT_EQ(KeyNumber::parse("0102030405060A"), KeyNumber::parse("0102030405060a"));
}

TEST(KeyNumber, WellFormedTextIsOneToFourteenHexDigits) {
    EXPECT_TRUE(isWellFormedKeyText("0"));
    EXPECT_TRUE(isWellFormedKeyText("0102030405060a"));
    EXPECT_FALSE(isWellFormedKeyText(""));
    EXPECT_FALSE(isWellFormedKeyText("010203040506070"));
    EXPECT_FALSE(isWellFormedKeyText("01 02"));
    EXPECT_FALSE(isWellFormedKeyText("0G"));
}

} // namespace
} // namespace qtr
