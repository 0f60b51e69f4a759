#include "db/tables.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"
#include "unitproc/fake_bus.h"
#include "unitproc/forms/comm_parameters_dialog.h"
#include "unitproc/forms/hex_address_dialog.h"
#include "unitproc/forms/status_reading_form.h"
#include "unitproc/forms/unit_status_window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace qtr {
namespace {

using test::FakeBus;
using test::UiResponder;

template <typename T> T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

QString labelText(QWidget* w, const char* name) {
    return child<QLabel>(w, name)->text();
}

// ---- THEXADR

TEST(HexAddressKeypad, KeepsTheLastTwoDigitsAndForbidsZero) {
    THEXADR pad(0x3C);
    EXPECT_EQ(pad.displayText(), "3C");
    auto* hotovo = child<QPushButton>(&pad, "btHotovo");
    QTest::mouseClick(child<QPushButton>(&pad, "btA"), Qt::LeftButton);
    EXPECT_EQ(pad.displayText(), "CA");
    EXPECT_EQ(pad.value(), 0xCA);
    pad.pressDigit(u'0');
    EXPECT_TRUE(hotovo->isEnabled());
    pad.pressDigit(u'0');
    EXPECT_EQ(pad.displayText(), "00");
    EXPECT_FALSE(hotovo->isEnabled());
    pad.pressDigit(u'F');
    EXPECT_EQ(pad.displayText(), "0F");
    EXPECT_TRUE(hotovo->isEnabled());
}

TEST(HexAddressKeypad, ZeroIsAllowedWhenTheCallerClearsTheFlag) {
    THEXADR pad(0x00, false);
    EXPECT_EQ(pad.displayText(), "00");
    EXPECT_TRUE(child<QPushButton>(&pad, "btHotovo")->isEnabled());
}

// ---- TSTAVJ

std::array<std::uint8_t, kUnitStatusSize> status() {
    std::array<std::uint8_t, kUnitStatusSize> s{};
    s[0] = 0x05;
    s[1] = 1;
    s[2] = 2;
    s[3] = 0x12;
    s[4] = 0;
    s[5] = 0x3F;
    s[6] = 0x01;
    s[7] = 48; // events written
    s[10] = 16 + 3 * 14;
    s[16] = 24; // events handed over
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

TEST(UnitStatusWindow, ShowsTheDecodedFieldsAndListInOrder) {
    TSTAVJ w;
    w.ZobrazitStavJednotky(status());
    EXPECT_EQ(w.windowTitle(), "Informace od jednotky");
    EXPECT_EQ(labelText(&w, "edAdresa"), "05");
    EXPECT_EQ(labelText(&w, "edTyp"), "VKR-8 docházková");
    EXPECT_EQ(labelText(&w, "edStav"), "uzamčena");
    EXPECT_EQ(labelText(&w, "edRezim"), "12");
    EXPECT_EQ(labelText(&w, "edPamet"), "32 kB");
    EXPECT_EQ(labelText(&w, "edAlarm"), "3F");
    EXPECT_EQ(labelText(&w, "edRele"), "01");
    EXPECT_EQ(labelText(&w, "edCas"), "31.12.01 23:59:58 - pondělí");
    EXPECT_EQ(labelText(&w, "laUdalosti"), "Počet nezpracovaných událostí: 2");
    EXPECT_EQ(labelText(&w, "laOpravneni"), "Počet oprávnění: 3");
    auto* list = child<QListWidget>(&w, "ListBox1");
    ASSERT_EQ(list->count(), 6);
    const QStringList expected = {"Oprávnění: 00003A", "Události:  000030", "Předat:    000018",
                                  "Služ.info: 000000", "Rezerva:   000000", "Stav:      00"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(list->item(i)->text(), expected[i]);
    }
    EXPECT_TRUE(child<QLabel>(&w, "laPreteceni")->isHidden());
}

TEST(UnitStatusWindow, EdgeCasesOfMemoryStateAndOverflow) {
    TSTAVJ w;
    auto s = status();
    s[4] = 255;
    s[22] = 1;
    w.ZobrazitStavJednotky(s);
    EXPECT_EQ(labelText(&w, "edPamet"), "žádná paměť");
    EXPECT_EQ(labelText(&w, "laPreteceni"), "Přetečení paměti událostí!");
    EXPECT_FALSE(child<QLabel>(&w, "laPreteceni")->isHidden());

    // Equal pointers on a locked unit: nothing waiting; more read than written: damage.
    s[22] = 0;
    s[16] = 48;
    w.ZobrazitStavJednotky(s);
    EXPECT_EQ(labelText(&w, "laUdalosti"), "Prázdný seznam událostí.");
    EXPECT_TRUE(child<QLabel>(&w, "laPreteceni")->isHidden());
    s[16] = 60;
    w.ZobrazitStavJednotky(s);
    EXPECT_EQ(labelText(&w, "laUdalosti"), "Porušení informace v jednotce!");
    // Another state shows no pending text; the list is refilled, never appended to.
    s[2] = 0xAA;
    w.ZobrazitStavJednotky(s);
    EXPECT_EQ(labelText(&w, "laUdalosti"), "");
    EXPECT_EQ(labelText(&w, "edStav"), "konfigurována");
    EXPECT_EQ(child<QListWidget>(&w, "ListBox1")->count(), 6);
}

// ---- TKOMPAR

TEST(CommParametersDialog, WithoutAnyPortItSaysSoAndCloses) {
    UiResponder ui;
    ui.expectMessage("Není k dispozici žádný sériový port!");
    TKOMPAR d(CommSettings{}, {});
    EXPECT_EQ(d.run(), QDialog::Rejected);
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].caption, "KONTROLA");
    EXPECT_EQ(ui.shown()[0].icon, ui::MessageIcon::Warning);
}

TEST(CommParametersDialog, ShowsTheSettingsAndReturnsTheChoices) {
    UiResponder ui;
    CommSettings s;
    s.parameters.portIndex = 2; // COM3
    s.parameters.interfaceMode = 1;
    s.parameters.baudIndex = 0;
    s.readerAddress = 0x1F;
    TKOMPAR d(s, {"COM1", "COM3", "COM4"});
    EXPECT_EQ(d.windowTitle(), "Parametry komunikace");
    auto* port = child<QComboBox>(&d, "cbPort");
    EXPECT_EQ(port->currentText(), "COM3");
    EXPECT_TRUE(child<QRadioButton>(&d, "rgMod1")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(&d, "rgRychlost0")->isChecked());
    EXPECT_EQ(child<QSpinBox>(&d, "udAdresa")->value(), 0x1F);
    EXPECT_EQ(labelText(&d, "laAdresa"), "1F");

    port->setCurrentIndex(2);
    child<QRadioButton>(&d, "rgMod0")->setChecked(true);
    child<QRadioButton>(&d, "rgRychlost1")->setChecked(true);
    child<QSpinBox>(&d, "udAdresa")->setValue(0xA0);
    EXPECT_EQ(labelText(&d, "laAdresa"), "A0");
    ui.expectDialog("TKOMPAR",
                    [](QDialog& shown) { shown.findChild<QPushButton*>("btOk")->click(); });
    ASSERT_EQ(d.run(), QDialog::Accepted);
    EXPECT_EQ(d.settings().parameters.portIndex, 3);
    EXPECT_EQ(d.settings().parameters.interfaceMode, 0);
    EXPECT_EQ(d.settings().parameters.baudIndex, 1);
    EXPECT_EQ(d.settings().readerAddress, 0xA0);
}

TEST(CommParametersDialog, APortThatIsGoneGivesWayToTheFirstOneFound) {
    CommSettings s; // COM2
    TKOMPAR d(s, {"COM3", "COM4"});
    EXPECT_EQ(child<QComboBox>(&d, "cbPort")->currentText(), "COM3");
}

// ---- TGETSTAV

TEST(StatusReading, ChangingTheAddressReadsAndShowsTheStatus) {
    UiResponder ui;
    FakeBus bus;
    bus.answers[0x05] = FakeBus::statusAnswer(0x05);
    ControlUnitTable units;
    units.clearCurrent();
    units.current().address = 0x05;
    units.current().unitName.setText("Vrátnice");
    units.append();
    TGETSTAV form(bus, units);
    EXPECT_EQ(form.windowTitle(), "Čtení stavu jednotky COM2/0/9600");
    auto* list = child<QListWidget>(&form, "lbJednotky");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "05 Vrátnice");

    QString shownType;
    ui.expectDialog("TSTAVJ",
                    [&](QDialog& shown) { shownType = shown.findChild<QLabel*>("edTyp")->text(); });
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(shownType, "VKR-8 přístupová");
    EXPECT_EQ(form.address(), 0x05);
    ASSERT_EQ(bus.requests.size(), 1u);
    EXPECT_EQ(bus.requests[0], (std::vector<std::uint8_t>{0x05, 0x03, 0x8A, 0x92}));
}

TEST(StatusReading, AUnitThatDoesNotAnswerShowsTheErrorText) {
    UiResponder ui;
    FakeBus bus;
    ControlUnitTable units;
    TGETSTAV form(bus, units);
    child<QSpinBox>(&form, "udAdrSta")->setValue(0x07);
    EXPECT_EQ(form.responseText(), QString::fromStdString(bus.errorText));
    EXPECT_TRUE(form.responseText().startsWith("07"));
    // Reading the same address again (a click on the address) asks once more.
    form.setAddress(0x07);
    EXPECT_EQ(bus.requests.size(), 2u);
}

} // namespace
} // namespace qtr
