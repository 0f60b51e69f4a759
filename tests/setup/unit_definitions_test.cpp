#include "base/win1250.h"
#include "db/tables.h"
#include "setup/interval_dialog.h"
#include "setup/unit_definitions.h"
#include "setup/unit_picker_dialog.h"

#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

namespace qtr::setup {
namespace {

ControlUnitRecord described(std::uint8_t type) {
    ControlUnitRecord u;
    u.address = 0x42;
    u.unitType = type;
    u.usage = 0x0F;
    u.objects[5].planX = 7;
    u.parameters.fill(0xEE);
    applyStandardDescription(u);
    return u;
}

std::string bytes(const ShortString<17>& s) {
    return std::string(s.win1250());
}

TEST(StandardDescription, BarrierTextsKeepTheirTrailingBlanks) {
    const ControlUnitRecord u = described(4);
    const std::array<const char*, 8> readers = {
        "Příjezd závora 0",  "Odjezd závora 0 ",  "Příjezd závora 1",  "Odjezd závora 1 ",
        "* NEOBSAZENO (4) ", "* NEOBSAZENO (5) ", "* NEOBSAZENO (6) ", "* NEOBSAZENO (7) "};
    const std::array<const char*, 8> inputs = {
        "Závora 0 ",        "Závora 1 ",        "Manual-závora 0 ", "Manual-závora 1 ",
        "Infrabariéra 0  ", "Infrabariéra 1  ", "* NEOBSAZENO (6)", "* NEOBSAZENO (7) "};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(bytes(u.readerNames[i]), utf8ToWin1250(readers[i])) << i;
        EXPECT_EQ(bytes(u.inputNames[i]), utf8ToWin1250(inputs[i])) << i;
    }
    EXPECT_EQ(u.readerNames[4].length(), 17u);
    EXPECT_EQ(u.inputNames[0].length(), 9u);
    EXPECT_EQ(u.unitName.text(), "závorová");
    EXPECT_EQ(parametersText(u.parameters), "03000001010101000000000000000000");
}

TEST(StandardDescription, DoorAndAttendanceTexts) {
    for (std::uint8_t type : {1, 3}) {
        const ControlUnitRecord u = described(type);
        EXPECT_EQ(u.readerNames[0].text(), "Dveře 0 / příchod");
        EXPECT_EQ(u.readerNames[7].text(), "Dveře 3 / odchod");
        EXPECT_EQ(u.inputNames[3].text(), "Dveře 3");
        EXPECT_EQ(u.inputNames[4].text(), "* NEOBSAZENO (4)");
    }
    EXPECT_EQ(described(1).unitName.text(), "přístupová");
    EXPECT_EQ(described(3).unitName.text(), "dveřní");
    EXPECT_EQ(parametersText(described(1).parameters), "51000000000000000000000000000000");
    EXPECT_EQ(parametersText(described(3).parameters), "01010101010101010100000000000000");

    const ControlUnitRecord a = described(2);
    const std::array<const char*, 8> readers = {"Příchod",    "Odchod služebně", "Odchod k lékaři",
                                                "Přestávka",  "Odchod",          "* NEOBSAZENO (5)",
                                                "* ZRUŠIT *", "* SALDO *"};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(a.readerNames[i].text(), readers[i]);
    }
    EXPECT_EQ(a.inputNames[0].text(), "Dveře 0");
    EXPECT_EQ(a.inputNames[1].text(), "* NEOBSAZENO (1)");
    EXPECT_EQ(a.unitName.text(), "docházková");
    EXPECT_EQ(parametersText(a.parameters), "12000000000000000000000000000000");
}

TEST(StandardDescription, CommonPartAndWhatItLeavesAlone) {
    for (std::uint8_t type : {0, 1, 2, 3, 4, 7}) {
        const ControlUnitRecord u = described(type);
        EXPECT_EQ(u.alarmMask, 0xFF);
        EXPECT_EQ(u.relayMask, 0);
        EXPECT_EQ(u.resultTexts[0].text(), "povoleno");
        EXPECT_EQ(u.resultTexts[1].text(), "neoprávněný");
        EXPECT_EQ(u.resultTexts[2].text(), "neotevřeno");
        EXPECT_EQ(u.resultTexts[3].text(), "nezavřeno");
        EXPECT_EQ(u.address, 0x42);
        EXPECT_EQ(u.unitType, type);
        EXPECT_EQ(u.usage, 0x0F);
        EXPECT_EQ(u.objects[5].planX, 7);
    }
    const ControlUnitRecord unknown = described(7);
    EXPECT_EQ(unknown.unitName.text(), "?");
    EXPECT_EQ(unknown.readerNames[5].text(), "?");
    EXPECT_EQ(unknown.inputNames[7].text(), "?");
    EXPECT_EQ(parametersText(unknown.parameters), std::string(32, '0'));
}

TEST(UnitDefinitions, NamesKindsAndCoordinates) {
    EXPECT_EQ(unitTypeName(1), "přístupová");
    EXPECT_EQ(unitTypeName(4), "závorová");
    EXPECT_EQ(unitTypeName(0), "neznámý typ");
    EXPECT_EQ(unitTypeName(5), "neznámý typ");
    EXPECT_EQ(barrierKindName(0x00), "relé");
    EXPECT_EQ(barrierKindName(0x01), "relé s bariérou");
    EXPECT_EQ(barrierKindName(0x10), "inteligentní - START");
    EXPECT_EQ(barrierKindName(0x11), "inteligentní - START/STOP");
    EXPECT_EQ(barrierKindName(0x02), "???");
    EXPECT_EQ(coordinatesText(12, 345), "012,345");
    EXPECT_EQ(coordinatesText(0, 0), "000,000");
    EXPECT_EQ(coordinatesText(1000, 5), "1000,005");
    EXPECT_FALSE(enablingForTypeText("4"));
    EXPECT_FALSE(enablingForTypeText("00"));
    EXPECT_FALSE(enablingForTypeText("05"));
    ASSERT_TRUE(usageLayoutForType(8));
    EXPECT_EQ(usageLayoutForType(8)->boxes, 4);
    EXPECT_EQ(usageLayoutForType(9)->boxes, 2);
    EXPECT_TRUE(usageLayoutForType(2)->attendance);
    EXPECT_FALSE(usageLayoutForType(5));
}

TEST(TSELJED, ClickingAUnitChoosesItsAddress) {
    ControlUnitTable units;
    for (auto [a, n] : {std::pair{0x05, "Vrátnice"}, std::pair{0x2A, "Sklad"}}) {
        units.current() = ControlUnitRecord{};
        units.current().address = static_cast<std::uint8_t>(a);
        units.current().unitName.setText(n);
        units.append();
    }
    TSELJED closed(units);
    EXPECT_EQ(closed.chosenAddress(), 0);

    TSELJED picker(units);
    picker.show();
    auto* list = picker.findChild<QListWidget*>("ListBox1");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "Sklad");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(picker.chosenAddress(), 0x2A);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
}

TEST(TINTDTTM, DoneOnlyWhileTheEndIsNotBeforeTheStart) {
    TINTDTTM d;
    EXPECT_EQ(d.start(), encodeDate(1998, 1, 1));
    EXPECT_EQ(d.end(), encodeDate(1998, 1, 1));
    auto* done = d.findChild<QPushButton*>("btHotovo");
    EXPECT_TRUE(done->isEnabled()); // equal is allowed

    const DateTime from = encodeDate(2026, 3, 2) + encodeTime(8, 30, 0);
    const DateTime to = encodeDate(2026, 3, 2) + encodeTime(8, 29, 0);
    d.setInterval(from, to);
    EXPECT_FALSE(done->isEnabled());
    d.findChild<QTimeEdit*>("edKonecCas")->setTime(QTime(16, 45));
    EXPECT_TRUE(done->isEnabled());
    d.findChild<QDateEdit*>("edKonecDatum")->setDate(QDate(2026, 3, 1));
    EXPECT_FALSE(done->isEnabled());
    d.findChild<QDateEdit*>("edKonecDatum")->setDate(QDate(2026, 3, 31));

    d.findChild<QPushButton*>("btPrerusit")->click();
    EXPECT_EQ(d.start(), from);
    EXPECT_EQ(d.end(), to);
    done->click();
    EXPECT_EQ(d.start(), from);
    EXPECT_DOUBLE_EQ(d.end(), encodeDate(2026, 3, 31) + encodeTime(16, 45, 0));
}

} // namespace
} // namespace qtr::setup
