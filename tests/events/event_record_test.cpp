#include "events/event_fixtures.h"
#include "events/event_record.h"
#include "events/raw_event_item.h"
#include "support/hex_dump.h"

#include <gtest/gtest.h>
#include <vector>

namespace qtr {
namespace {

using test::at;
using test::fromHex;

// 15.03.2024 07:30:58, seconds field 29.
constexpr std::uint32_t kPacked = 0x306F3BDD;

std::vector<std::uint8_t> answerWith(std::uint8_t address,
                                     const std::vector<std::vector<std::uint8_t>>& items) {
    std::vector<std::uint8_t> a = {address, 0x12, 0x8E, 0x00};
    for (const auto& item : items) {
        a.insert(a.end(), item.begin(), item.end());
    }
    return a;
}

TEST(PackedDateTime, FieldsSecondsDoubledAndYearBase2000) {
    const PackedDateTime p = PackedDateTime::unpack(kPacked);
    EXPECT_EQ(p, (PackedDateTime{2024, 3, 15, 7, 30, 58}));
    EXPECT_EQ(PackedDateTime::unpack(29).second, 58);
    // Year field 0 is the year 2000 (1.1.2000 00:00:00 is the no-time value).
    EXPECT_EQ(PackedDateTime::unpack(kPackedNoTime), (PackedDateTime{2000, 1, 1, 0, 0, 0}));
    EXPECT_EQ(PackedDateTime::unpack(0xFFFFFFFFu).year, 2127);
    EXPECT_EQ((PackedDateTime{2024, 3, 15, 7, 30, 58}).pack(), kPacked);
    EXPECT_EQ((PackedDateTime{2024, 3, 15, 7, 30, 59}).pack(), kPacked); // odd second rounds down
}

TEST(PackedDateTime, ConvertsToDayCount) {
    EXPECT_EQ(toDateTime(PackedDateTime::unpack(kPacked)), at(2024, 3, 15, 7, 30, 58));
    EXPECT_EQ(toDateTime({2000, 1, 1, 0, 0, 0}), 36526.0);
    EXPECT_EQ(toDateTime({2024, 2, 29, 23, 59, 58}), at(2024, 2, 29, 23, 59, 58));
    EXPECT_EQ(toPackedDateTime(at(2031, 12, 31, 23, 59, 59)).pack(),
              (PackedDateTime{2031, 12, 31, 23, 59, 58}).pack());
}

TEST(PackedDateTime, ImpossibleFieldsGiveNoDate) {
    EXPECT_FALSE(toDateTime({2024, 13, 1, 0, 0, 0}));
    EXPECT_FALSE(toDateTime({2024, 0, 1, 0, 0, 0}));
    EXPECT_FALSE(toDateTime({2024, 2, 31, 0, 0, 0}));
    EXPECT_FALSE(toDateTime({2023, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(toDateTime({2024, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(toDateTime({2024, 1, 1, 25, 0, 0}));
    EXPECT_FALSE(toDateTime({2024, 1, 1, 24, 0, 0}));
    EXPECT_FALSE(toDateTime({2024, 1, 1, 0, 60, 0}));
    EXPECT_FALSE(toDateTime({2024, 1, 1, 0, 0, 60})); // seconds field 30
}

TEST(EventRecord, BuiltFromSecondItemGoldenBytes) {
    const auto answer = answerWith(0x0A, {fromHex("11 22 33 44 55 66 77 00 00 21 00 05 00 00"),
                                          fromHex("01 0A 06 05 04 03 02 DD 3B 6F 30 93 7E 7F")});
    const EventRecord e = buildEventRecord(answer, 2);
    std::array<std::uint8_t, EventRecord::kSize> bytes{};
    e.toBytes(bytes);
    // address, key as delivered, 15.03.2024 07:30:58 as a double, code, reserved 0 0
    EXPECT_BYTES(fromHex("0A 01 0A 06 05 04 03 02 74 CF 7F 05 CA 26 E6 40 93 00 00"), bytes);
    EXPECT_EQ(e.keyNumber.text(), "0102030405060A");
    EXPECT_EQ(e.sensorIndex(), 3);
    EXPECT_EQ(e.resultCode(), 1);
    EXPECT_FALSE(e.isInputEvent());
}

TEST(EventRecord, ImpossibleDateIsKeptWithTimestampZero) {
    for (const auto& when :
         {PackedDateTime{2024, 13, 1, 8, 0, 0}, PackedDateTime{2024, 2, 31, 8, 0, 0},
          PackedDateTime{2024, 1, 1, 25, 0, 0}}) {
        RawEventItem item;
        item.keyBytes = {1, 2, 3, 4, 5, 6, 7};
        item.packedDateTime = when.pack();
        item.eventCode = 0x20;
        std::vector<std::uint8_t> answer(18);
        answer[0] = 0x05;
        item.toBytes(std::span(answer).subspan(4, 14));
        const EventRecord e = buildEventRecord(answer, 1);
        EXPECT_EQ(e.timestamp, 0.0);
        EXPECT_EQ(e.unitAddress, 0x05);
        EXPECT_EQ(e.eventCode, 0x20);
        EXPECT_EQ(e.keyNumber.bytes, item.keyBytes);
    }
}

TEST(EventRecord, BytesRoundTripExactly) {
    const auto raw = fromHex("FF 01 02 03 04 05 06 07 01 02 03 04 05 06 F0 7F 88 AB CD");
    const EventRecord e = EventRecord::fromBytes(raw);
    EXPECT_EQ(e.reserved1, 0xAB);
    EXPECT_EQ(e.reserved2, 0xCD);
    EXPECT_TRUE(e.isInputEvent());
    EXPECT_EQ(e.sensorIndex(), 8);
    std::array<std::uint8_t, EventRecord::kSize> back{};
    e.toBytes(back);
    EXPECT_BYTES(raw, back);
}

TEST(RawEventItem, EmptyItemRule) {
    const auto item = [](std::string_view hex) { return RawEventItem::fromBytes(fromHex(hex)); };
    EXPECT_TRUE(item("00 00 00 00 00 00 00 00 00 00 00 00 00 00").isEmpty());
    EXPECT_TRUE(item("00 00 00 00 00 00 00 00 00 21 00 00 00 00").isEmpty());  // 1.1.2000 0:00
    EXPECT_TRUE(item("00 00 00 00 00 00 00 00 00 00 80 00 00 00").isEmpty());  // negative
    EXPECT_FALSE(item("00 00 00 00 00 00 00 01 00 21 00 00 00 00").isEmpty()); // 0:00:02
    EXPECT_FALSE(item("00 00 00 00 00 00 01 00 00 00 00 00 00 00").isEmpty()); // key byte
    EXPECT_FALSE(item("00 00 00 00 00 00 00 00 00 00 00 01 00 00").isEmpty()); // code
    EXPECT_FALSE(item("00 00 00 00 00 00 00 00 00 00 00 00 01 00").isEmpty()); // byte 12
    EXPECT_FALSE(item("00 00 00 00 00 00 00 00 00 00 00 00 00 01").isEmpty()); // byte 13
    EXPECT_FALSE(item("00 00 00 00 00 00 00 DD 3B 6F 30 08 00 00").isEmpty()); // input event
}

TEST(RawEventItem, ItemsOfAnAnswerAreThoseBeforeTheFirstEmptyOne) {
    const auto full = fromHex("01 02 03 04 05 06 07 DD 3B 6F 30 00 00 00");
    const auto empty = fromHex("00 00 00 00 00 00 00 00 00 21 00 00 00 00");
    EXPECT_EQ(countEventItems(answerWith(1, {})), 0);
    EXPECT_EQ(countEventItems(std::vector<std::uint8_t>{1, 2}), 0);
    EXPECT_EQ(countEventItems(answerWith(1, {empty})), 0);
    EXPECT_EQ(countEventItems(answerWith(1, {full})), 1);
    EXPECT_EQ(countEventItems(answerWith(1, {full, full, full, empty, full})), 3);
    std::vector<std::vector<std::uint8_t>> many(22, full);
    EXPECT_EQ(countEventItems(answerWith(1, many)), 21);
    EXPECT_EQ(eventItemOffset(1), 4u);
    EXPECT_EQ(eventItemOffset(21), 284u);
    // An item cut short by the answer's end reads its missing bytes as zero.
    auto cut = answerWith(1, {full});
    cut.resize(4 + 9);
    EXPECT_EQ(eventItemAt(cut, 1).packedDateTime, 0x3B00u | 0xDDu);
}

} // namespace
} // namespace qtr
