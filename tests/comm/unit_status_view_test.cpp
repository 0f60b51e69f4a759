#include "comm/unit_status_view.h"
#include "comm/unit_texts.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

using Status = std::array<std::uint8_t, kUnitStatusSize>;

void putU24(Status& s, std::size_t at, std::uint32_t v) {
    s[at] = static_cast<std::uint8_t>(v);
    s[at + 1] = static_cast<std::uint8_t>(v >> 8);
    s[at + 2] = static_cast<std::uint8_t>(v >> 16);
}

Status lockedUnit() {
    Status s{};
    s[0] = 0x0A;
    s[1] = 1;
    s[2] = 2;
    s[3] = 0x12;
    s[4] = 0;
    s[5] = 0x3F;
    s[6] = 0x81;
    putU24(s, 7, 48);
    putU24(s, 10, 16 + 14 * 3);
    putU24(s, 13, 0xABCDEF);
    putU24(s, 16, 24);
    putU24(s, 19, 0x000102);
    s[22] = 0;
    // 31.12.01 23:59:58, Monday
    s[23] = 0x58;
    s[24] = 0x59;
    s[25] = 0x23;
    s[26] = 0x31;
    s[27] = 0x12;
    s[28] = 1;
    s[29] = 0x01;
    return s;
}

TEST(UnitTexts, ModelsAndStates) {
    EXPECT_EQ(unitModelText(1), "VKR-8");
    EXPECT_EQ(unitModelText(2), "VKR-EXP");
    EXPECT_EQ(unitModelText(3), "VKR-ZAV");
    EXPECT_EQ(unitModelText(0xF1), "ČTECÍ");
    EXPECT_EQ(unitModelText(0x0C), "neznámý typ! 0C");
    EXPECT_EQ(unitStateText(0), "není konfigurována");
    EXPECT_EQ(unitStateText(1), "vynulována");
    EXPECT_EQ(unitStateText(2), "uzamčena");
    EXPECT_EQ(unitStateText(0xAA), "konfigurována");
    EXPECT_EQ(unitStateText(3), "neznámý stav! 03");
}

TEST(UnitStatusView, FieldsOfALockedAttendanceUnit) {
    const auto v = decodeUnitStatus(lockedUnit());
    EXPECT_EQ(v.address, "0A");
    EXPECT_EQ(v.unitType, "VKR-8 docházková");
    EXPECT_EQ(v.unitState, "uzamčena");
    EXPECT_EQ(v.mode, "12");
    EXPECT_EQ(v.memory, "32 kB");
    EXPECT_EQ(v.alarm, "3F");
    EXPECT_EQ(v.relay, "81");
    EXPECT_EQ(v.unitClock, "31.12.01 23:59:58 - pondělí");
    EXPECT_EQ(v.pendingEvents, "Počet nezpracovaných událostí: 2");
    EXPECT_EQ(v.rightsCount, "Počet oprávnění: 3");
    const std::array<std::string, 6> lines = {"Oprávnění: 00003A", "Události:  000030",
                                              "Předat:    000018", "Služ.info: ABCDEF",
                                              "Rezerva:   000102", "Stav:      00"};
    EXPECT_EQ(v.lines, lines);
    EXPECT_FALSE(v.eventMemoryOverflow);
}

TEST(UnitStatusView, ModeSuffixesMemoryAndOverflow) {
    auto s = lockedUnit();
    s[3] = 0x01;
    EXPECT_EQ(decodeUnitStatus(s).unitType, "VKR-8 přístupová");
    s[3] = 0x03;
    EXPECT_EQ(decodeUnitStatus(s).unitType, "VKR-8 neznámý mód!");
    s[1] = 2;
    EXPECT_EQ(decodeUnitStatus(s).unitType, "VKR-EXP"); // the mode belongs to model 1 only
    s[4] = 255;
    EXPECT_EQ(decodeUnitStatus(s).memory, "žádná paměť");
    s[4] = 3;
    EXPECT_EQ(decodeUnitStatus(s).memory, "128 kB");
    s[22] = 1;
    EXPECT_TRUE(decodeUnitStatus(s).eventMemoryOverflow);
    s[28] = 9;
    EXPECT_EQ(decodeUnitStatus(s).unitClock, "31.12.01 23:59:58 - ???");
}

TEST(UnitStatusView, PendingEventsOnlyWhenLocked) {
    auto s = lockedUnit();
    putU24(s, 16, 48);
    EXPECT_EQ(decodeUnitStatus(s).pendingEvents, "Prázdný seznam událostí.");
    putU24(s, 16, 60);
    EXPECT_EQ(decodeUnitStatus(s).pendingEvents, "Porušení informace v jednotce!");
    putU24(s, 16, 47); // (48 - 47) / 12 truncates to 0
    EXPECT_EQ(decodeUnitStatus(s).pendingEvents, "Prázdný seznam událostí.");
    s[2] = 0xAA;
    EXPECT_EQ(decodeUnitStatus(s).pendingEvents, "");
}

TEST(UnitStatusView, RightsCountByModel) {
    auto s = lockedUnit();
    s[1] = 2;
    putU24(s, 10, 256 + 15 * 4);
    EXPECT_EQ(decodeUnitStatus(s).rightsCount, "Počet oprávnění: 4");
    s[1] = 9;
    EXPECT_EQ(decodeUnitStatus(s).rightsCount, "Počet oprávnění: 4");
    s[1] = 0xF1;
    EXPECT_EQ(decodeUnitStatus(s).rightsCount, "Počet oprávnění: 0");
    s[1] = 1;
    putU24(s, 10, 2); // (2 - 16) / 14 truncates towards zero
    EXPECT_EQ(decodeUnitStatus(s).rightsCount, "Počet oprávnění: -1");
}

} // namespace
} // namespace qtr
