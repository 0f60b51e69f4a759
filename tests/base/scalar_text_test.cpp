#include "base/bcd.h"
#include "base/hex_text.h"
#include "base/hour_minute.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

TEST(HourMinute, TextAndValue) {
    EXPECT_EQ(parseHourMinute("07:30"), 0x071E);
    EXPECT_EQ(parseHourMinute("00:00"), 0);
    EXPECT_EQ(parseHourMinute("23:59"), 0x173B);
    EXPECT_EQ(hourMinuteText(0x071E), "07:30");
    EXPECT_EQ(hourMinuteText(makeHourMinute(0, 5)), "00:05");
}

TEST(HourMinute, AnythingButExactHhMmIsInvalid) {
    for (const char* bad :
         {"7:30", "24:00", "07:60", "07.30", "07:3", " 07:30", "0a:30", "", "07:30:00"}) {
        EXPECT_EQ(parseHourMinute(bad), kInvalidHourMinute) << bad;
    }
}

TEST(Bcd, TensHighUnitsLowAndFFAbove99) {
    EXPECT_EQ(toBcd(0), 0x00);
    EXPECT_EQ(toBcd(7), 0x07);
    EXPECT_EQ(toBcd(59), 0x59);
    EXPECT_EQ(toBcd(99), 0x99);
    EXPECT_EQ(toBcd(100), 0xFF);
    EXPECT_EQ(toBcd(2001), 0xFF);
    EXPECT_EQ(toBcd(-1), 0xFF);
    EXPECT_EQ(fromBcd(0x59), 59);
}

TEST(HexByte, TwoUpperCaseDigits) {
    EXPECT_EQ(hexByteText(0), "00");
    EXPECT_EQ(hexByteText(0x0A), "0A");
    EXPECT_EQ(hexByteText(0xFF), "FF");
}

TEST(HexByte, ParsedByTheDigitRule) {
    EXPECT_EQ(parseHexByte("0A"), 0x0A);
    EXPECT_EQ(parseHexByte("a"), 0x0A); // one character: a leading "0"
    EXPECT_EQ(parseHexByte("ff"), 0xFF);
    EXPECT_EQ(parseHexByte(""), 0x00);
    EXPECT_EQ(parseHexByte("1F7"), 0x1F); // the first two characters
    EXPECT_EQ(parseHexByte("G0"), 0x00);  // 'G' = 16: 16*16 + 0 wraps to 0
}

} // namespace
} // namespace qtr
