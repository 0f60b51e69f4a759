#include "db/access_schedule_record.h"
#include "db/control_unit_record.h"
#include "db/group_record.h"
#include "db/key_holder_record.h"
#include "db/permission_group_record.h"
#include "db/zone_record.h"
#include "support/hex_dump.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace qtr {
namespace {

template <typename R> std::vector<std::uint8_t> encode(const R& r) {
    std::vector<std::uint8_t> b(R::kSize, 0xEE);
    r.toBytes(b);
    return b;
}

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t n) {
    return {b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + n)};
}

// Any bytes read and written back come out unchanged: reserved bytes, the bytes after
// a text's length and foreign length bytes included.
template <typename R> void expectByteIdenticalRoundTrip() {
    std::mt19937 rng(12345);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::uint8_t> in(R::kSize);
        for (auto& b : in) {
            b = static_cast<std::uint8_t>(rng());
        }
        EXPECT_BYTES(in, encode(R::fromBytes(in)));
    }
}

TEST(RecordSizes, AreThoseOfTheFiles) {
    EXPECT_EQ(ControlUnitRecord::kSize, 689u);
    EXPECT_EQ(UnitObjectRecord::kSize, 38u);
    EXPECT_EQ(ZoneRecord::kSize, 562u);
    EXPECT_EQ(KeyHolderRecord::kSize, 154u);
    EXPECT_EQ(GroupRecord::kSize, 26u);
    EXPECT_EQ(AccessScheduleRecord::kSize, 54u);
    EXPECT_EQ(TimeSegment::kSize, 5u);
    EXPECT_EQ(PermissionGroupRecord::kSize, 659u);
    EXPECT_EQ(PermissionEntry::kSize, 20u);
}

TEST(RecordCodec, EveryRecordRoundTripsByteForByte) {
    expectByteIdenticalRoundTrip<ControlUnitRecord>();
    expectByteIdenticalRoundTrip<UnitObjectRecord>();
    expectByteIdenticalRoundTrip<ZoneRecord>();
    expectByteIdenticalRoundTrip<KeyHolderRecord>();
    expectByteIdenticalRoundTrip<GroupRecord>();
    expectByteIdenticalRoundTrip<AccessScheduleRecord>();
    expectByteIdenticalRoundTrip<PermissionGroupRecord>();
}

TEST(RecordCodec, ControlUnitOffsets) {
    ControlUnitRecord u;
    u.address = 0x0A;
    u.unitType = 2;
    u.alarmMask = 0xF0;
    u.relayMask = 0x21;
    for (std::size_t i = 0; i < 16; ++i) {
        u.parameters[i] = static_cast<std::uint8_t>(0x10 + i);
    }
    u.unitName.setText("Vrátnice");
    u.resultTexts[0].setText("povoleno");
    u.resultTexts[3].setText("nezavřeno");
    u.readerNames[0].setText("Příchod");
    u.readerNames[7].setText("* SALDO *");
    u.inputNames[0].setText("Dveře 0");
    u.inputNames[7].setText("IN7");
    u.usage = 0x05;
    u.objects[0].zoneName.setText("HLAVNÍ ZÓNA");
    u.objects[0].planX = 12;
    u.objects[0].planY = -2;
    u.objects[7].authorisedCount = 0x01020304;
    u.objects[7].presentCount = 7;
    u.objects[7].objectState = 0xAB;
    const auto b = encode(u);

    EXPECT_BYTES(test::fromHex("0A 02 F0 21"), slice(b, 0, 4));
    EXPECT_BYTES(test::fromHex("10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F"), slice(b, 4, 16));
    EXPECT_BYTES(test::fromHex("08 56 72 E1 74 6E 69 63 65"), slice(b, 20, 9));
    EXPECT_BYTES(test::fromHex("08 70 6F 76 6F 6C 65 6E 6F"), slice(b, 36, 9));
    EXPECT_EQ(b[81], 9); // resultTexts[3]
    EXPECT_EQ(b[96], 7); // readerNames[0]
    EXPECT_EQ(b[97], 'P');
    EXPECT_EQ(b[98], 0xF8);       // ř
    EXPECT_EQ(b[96 + 7 * 18], 9); // readerNames[7]
    EXPECT_EQ(b[240], 7);         // inputNames[0]
    EXPECT_EQ(b[240 + 7 * 18], 3);
    EXPECT_EQ(b[384], 0x05); // usage
    EXPECT_EQ(b[385], 11);   // objects[0].zoneName
    EXPECT_BYTES(test::fromHex("0C 00 00 00 FE FF FF FF"), slice(b, 385 + 21, 8));
    const std::size_t o7 = 385 + 7 * 38;
    EXPECT_BYTES(test::fromHex("04 03 02 01 07 00 00 00 AB"), slice(b, o7 + 29, 9));
    EXPECT_EQ(ControlUnitRecord::fromBytes(b), u);
}

TEST(RecordCodec, ZoneOffsetsAndTheMainZone) {
    ZoneRecord z = ZoneRecord::named("HLAVNÍ ZÓNA");
    z.presentCount = 3;
    z.lastState = 4;
    const auto b = encode(z);
    EXPECT_BYTES(test::fromHex("03 53 54 52 0B 48 4C 41 56 4E CD 20 5A D3 4E 41"), slice(b, 0, 16));
    EXPECT_BYTES(test::fromHex("03 00 00 00"), slice(b, 37, 4));
    EXPECT_EQ(b[45], 4);
    for (std::size_t i = 50; i < 562; ++i) {
        ASSERT_EQ(b[i], 0) << i;
    }
}

TEST(RecordCodec, KeyHolderOffsetsAndNewRecord) {
    KeyHolderRecord k = KeyHolderRecord::newRecord();
    k.keyNumber = KeyNumber::parse("0102030405060A");
    k.groupName.setText("Údržba");
    k.permissionGroupName.setText("Vše");
    k.rosterName.setText("R");
    k.extraText1.setText("x1");
    k.extraText2.setText("x2");
    k.holderFlag = 9;
    const auto b = encode(k);
    EXPECT_BYTES(test::fromHex("01 0A 06 05 04 03 02"), slice(b, 0, 7));
    EXPECT_BYTES(test::fromHex("04 6E 6F 76 FD"), slice(b, 7, 5)); // "nový"
    EXPECT_EQ(b[43], 6);                                           // groupName
    EXPECT_EQ(b[44], 0xDA);                                        // Ú
    EXPECT_EQ(b[80], 3);                                           // permissionGroupName
    EXPECT_EQ(b[98], 1);                                           // rosterName
    EXPECT_EQ(b[116], ' ');                                        // kindCode
    EXPECT_EQ(b[117], 2);
    EXPECT_EQ(b[135], 2);
    EXPECT_EQ(b[153], 9);

    const auto fresh = encode(KeyHolderRecord::newRecord());
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        if (i < 7 + 5 || i == 116) {
            continue;
        }
        ASSERT_EQ(fresh[i], 0) << i;
    }
}

TEST(RecordCodec, GroupScheduleAndPermissionOffsets) {
    GroupRecord g = GroupRecord::newRecord();
    g.authorisedCount = 300;
    g.presentCount = -1;
    EXPECT_BYTES(test::fromHex("04 6E 6F 76 E1"), slice(encode(g), 0, 5)); // "nová"
    EXPECT_BYTES(test::fromHex("2C 01 00 00 FF FF FF FF"), slice(encode(g), 18, 8));

    AccessScheduleRecord a;
    a.scheduleName.setText("Ranní");
    a.segmentCount = 2;
    a.segments[0] = {parseHourMinute("07:30"), parseHourMinute("15:00"), kMonday | kFriday};
    a.segments[6] = {0x0102, 0x0304, 0x7F};
    const auto ab = encode(a);
    EXPECT_EQ(ab[18], 2);
    EXPECT_BYTES(test::fromHex("1E 07 00 0F 44"), slice(ab, 19, 5));
    EXPECT_BYTES(test::fromHex("02 01 04 03 7F"), slice(ab, 49, 5));

    PermissionGroupRecord p;
    p.name.setText("Sklad");
    p.entryCount = 32;
    p.entries[0].unitAddress = 0x0A;
    p.entries[0].entryAttributes = 0x81;
    p.entries[0].scheduleName.setText("Ranní");
    p.entries[31].unitAddress = 0xFE;
    const auto pb = encode(p);
    EXPECT_EQ(pb[18], 32);
    EXPECT_BYTES(test::fromHex("0A 81 05 52 61 6E 6E ED"), slice(pb, 19, 8));
    EXPECT_EQ(pb[19 + 20 * 31], 0xFE);
}

} // namespace
} // namespace qtr
