#include "base/win1250.h"
#include "db/tables.h"
#include "setup/control_units_form.h"
#include "setup/name_choice_panel.h"
#include "setup/unit_definitions.h"
#include "support/ui_responder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace qtr::setup {
namespace {

using ui::MessageAnswer;

ControlUnitRecord unitOf(std::uint8_t address, std::uint8_t type, std::string_view name) {
    ControlUnitRecord u;
    u.address = address;
    u.unitType = type;
    applyStandardDescription(u);
    u.unitName.setText(name);
    return u;
}

struct Editor {
    // Answers the boxes and the small dialogs the editor opens, in order.
    test::UiResponder ui;
    ControlUnitTable units;
    ZoneTable zones;
    std::unique_ptr<TJEDDEF> form;

    void add(const ControlUnitRecord& u) {
        units.current() = u;
        units.append();
    }
    void open() {
        zones.ensureMainZone();
        zones.current() = ZoneRecord::named("SKLAD");
        zones.append();
        form = std::make_unique<TJEDDEF>(units, zones);
    }
    QLineEdit* edit(const QString& name) { return form->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return form->findChild<QPushButton*>(name); }
    QString text(const QString& name) { return edit(name)->text(); }
    QString typeLabel() { return form->findChild<QLabel*>("laTyp")->text(); }
    QString position() { return form->findChild<QLabel*>("laPos")->text(); }
    bool objectEnabled(int i) {
        for (const char* f : {"EditZon", "EditS", "EditO", "EditP", "edSto"}) {
            if (!edit(QStringLiteral("%1%2").arg(f).arg(i))->isEnabled()) {
                return false;
            }
        }
        return true;
    }
};

template <typename T> T* child(QDialog& d, const QString& name) {
    T* w = d.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

TEST(TJEDDEF, BrowseModeShowsTheFirstUnitAndDisablesTheEditingTools) {
    Editor e;
    ControlUnitRecord u = unitOf(0x1A, 1, "Vrátnice");
    u.objects[3].planX = 12;
    u.objects[3].planY = 345;
    u.objects[3].zoneName.setText("SKLAD");
    u.objects[3].authorisedCount = 120;
    u.objects[3].presentCount = -1;
    u.objects[3].objectState = 255;
    u.usage = 0x05;
    e.add(u);
    e.add(unitOf(0x02, 2, "Docházka"));
    e.open();
    EXPECT_EQ(e.position(), "1/2");
    EXPECT_EQ(e.text("EditADRESA"), "1A");
    EXPECT_EQ(e.text("EditNAZEV"), "Vrátnice");
    EXPECT_EQ(e.text("EditTYP"), "01");
    EXPECT_EQ(e.typeLabel(), "přístupová");
    EXPECT_EQ(e.text("EditPOUZITI"), "05");
    EXPECT_EQ(e.text("EditALARM"), "FF");
    EXPECT_EQ(e.text("EditKONFIG"), "51000000000000000000000000000000");
    EXPECT_EQ(e.text("EditSnimTM1"), "Dveře 0 / odchod");
    EXPECT_EQ(e.text("EditVysUda1"), "neoprávněný");
    EXPECT_EQ(e.text("EditS3"), "012,345");
    EXPECT_EQ(e.text("EditZon3"), "SKLAD");
    EXPECT_EQ(e.text("EditO3"), "120");
    EXPECT_EQ(e.text("EditP3"), "-1");
    EXPECT_EQ(e.text("edSto3"), "255");
    EXPECT_EQ(e.text("EditS0"), "000,000");

    for (const char* b : {"btTyp", "btStandard", "btPouziti", "btVlastnosti", "btPoplach", "btRele",
                          "btHotovo", "btPrerusit"}) {
        EXPECT_FALSE(e.button(b)->isEnabled()) << b;
    }
    EXPECT_FALSE(e.edit("EditSnimTM0")->isEnabled());
    EXPECT_FALSE(e.edit("EditSnimIN7")->isEnabled());
    EXPECT_TRUE(e.button("btNovy")->isEnabled());

    e.button("btNext")->click();
    EXPECT_EQ(e.typeLabel(), "docházková");
    EXPECT_EQ(e.text("EditSnimTM6"), "* ZRUŠIT *");
    EXPECT_TRUE(e.edit("EditRELE")->isEnabled()); // "02" enables the relay mask

    e.button("btOpravit")->click();
    for (const char* b : {"btTyp", "btStandard", "btPouziti", "btVlastnosti", "btPoplach", "btRele",
                          "btHotovo", "btPrerusit"}) {
        EXPECT_TRUE(e.button(b)->isEnabled()) << b;
    }
    EXPECT_TRUE(e.edit("EditSnimIN7")->isEnabled());
    EXPECT_FALSE(e.button("btFirst")->isEnabled());
    EXPECT_FALSE(e.button("btNovy")->isEnabled());
}

TEST(TJEDDEF, ThirtyTwoUnitsDisableNew) {
    Editor e;
    for (int i = 1; i <= 32; ++i) {
        e.add(unitOf(static_cast<std::uint8_t>(i), 1, "j"));
    }
    e.open();
    EXPECT_FALSE(e.button("btNovy")->isEnabled());
    e.ui.expectMessage("Skutečně smazat tento záznam?", MessageAnswer::Ok);
    e.button("btSmazat")->click();
    EXPECT_EQ(e.units.count(), 31);
    EXPECT_TRUE(e.button("btNovy")->isEnabled());
}

TEST(TJEDDEF, TypingTheTypeChangesTheEnablingOnlyForKnownTypes) {
    Editor e;
    e.add(unitOf(0x01, 1, "Vrátnice"));
    e.open();
    e.button("btOpravit")->click();
    QLineEdit* type = e.edit("EditTYP");
    type->selectAll();
    QTest::keyClicks(type, "04");
    EXPECT_EQ(e.typeLabel(), "závorová");
    EXPECT_FALSE(e.edit("EditALARM")->isEnabled());
    EXPECT_FALSE(e.edit("EditRELE")->isEnabled());
    for (int i : {0, 1, 6, 7}) {
        EXPECT_TRUE(e.objectEnabled(i)) << i;
    }
    for (int i : {2, 3, 4, 5}) {
        EXPECT_FALSE(e.objectEnabled(i)) << i;
    }
    EXPECT_EQ(e.text("EditS0"), ""); // the object fields were emptied
    e.edit("EditS0")->setText("001,002");

    type->selectAll();
    QTest::keyClicks(type, "05");
    EXPECT_EQ(e.typeLabel(), "závorová"); // unchanged
    EXPECT_FALSE(e.edit("EditALARM")->isEnabled());
    EXPECT_FALSE(e.objectEnabled(3));
    EXPECT_EQ(e.text("EditS0"), "001,002");

    type->selectAll();
    QTest::keyClicks(type, "01");
    EXPECT_EQ(e.typeLabel(), "VKR8");
    EXPECT_TRUE(e.edit("EditALARM")->isEnabled());
    EXPECT_FALSE(e.edit("EditRELE")->isEnabled());
    EXPECT_TRUE(e.objectEnabled(3));
    type->selectAll();
    QTest::keyClicks(type, "03");
    EXPECT_EQ(e.typeLabel(), "expander");
    type->selectAll();
    QTest::keyClicks(type, "02");
    EXPECT_EQ(e.typeLabel(), "docházková");
    EXPECT_TRUE(e.edit("EditRELE")->isEnabled());
}

TEST(TJEDDEF, HexFieldsTakeOnlyHexDigits) {
    Editor e;
    e.add(unitOf(0x01, 1, "Vrátnice"));
    e.open();
    e.button("btOpravit")->click();
    QLineEdit* a = e.edit("EditADRESA");
    a->selectAll();
    QTest::keyClicks(a, "g1z2x");
    EXPECT_EQ(a->text(), "12");
}

TEST(TJEDDEF, InsertWithStandardDescriptionKeepsTheTypedAddress) {
    Editor e;
    e.add(unitOf(0x01, 1, "Vrátnice"));
    e.open();
    e.button("btNovy")->click();
    EXPECT_EQ(e.text("EditADRESA"), "00");
    EXPECT_EQ(e.text("EditTYP"), "00");
    EXPECT_EQ(e.typeLabel(), "neznámý typ");
    e.edit("EditADRESA")->setText("2B");
    e.ui.expectDialog("TPTYP", [](QDialog& d) {
        auto* barrier = child<QRadioButton>(d, "rbTyp4");
        EXPECT_EQ(barrier->text(), "závorová");
        EXPECT_FALSE(barrier->isChecked());
        barrier->setChecked(true);
        d.accept();
    });
    e.button("btTyp")->click();
    EXPECT_EQ(e.text("EditADRESA"), "2B");
    EXPECT_EQ(e.text("EditTYP"), "04");
    EXPECT_EQ(e.text("EditNAZEV"), "závorová");
    EXPECT_EQ(e.text("EditKONFIG"), "03000001010101000000000000000000");
    EXPECT_EQ(e.text("EditSnimIN0"), "Závora 0 ");
    EXPECT_FALSE(e.edit("EditALARM")->isEnabled());

    e.edit("EditADRESA")->setText("2C");
    e.edit("EditNAZEV")->setText("přepíše se");
    e.button("btStandard")->click();
    EXPECT_EQ(e.text("EditADRESA"), "2C");
    EXPECT_EQ(e.text("EditNAZEV"), "závorová");

    e.edit("EditS1")->setText("012,345");
    e.button("btHotovo")->click();
    ASSERT_EQ(e.units.count(), 2);
    EXPECT_EQ(e.position(), "2/2");
    const ControlUnitRecord& u = e.units.at(2);
    EXPECT_EQ(u.address, 0x2C);
    EXPECT_EQ(u.unitType, 4);
    EXPECT_EQ(u.alarmMask, 0xFF);
    EXPECT_EQ(u.objects[1].planX, 12);
    EXPECT_EQ(u.objects[1].planY, 345);
    EXPECT_EQ(e.text("EditS1"), "012,345");
    EXPECT_EQ(e.form->mode(), EditMode::Browse);
}

TEST(TJEDDEF, TypeDialogWithoutAChoiceGivesTypeZeroAndQuestionMarks) {
    Editor e;
    e.open();
    e.button("btNovy")->click();
    e.ui.expectDialog("TPTYP", [](QDialog& d) { d.accept(); });
    e.button("btTyp")->click();
    EXPECT_EQ(e.text("EditTYP"), "00");
    EXPECT_EQ(e.text("EditNAZEV"), "?");
    EXPECT_EQ(e.text("EditSnimTM3"), "?");
    EXPECT_EQ(e.text("EditVysUda0"), "povoleno");
    // "Přerušit" changes nothing.
    e.edit("EditNAZEV")->setText("ponechat");
    e.ui.expectDialog("TPTYP", [](QDialog& d) {
        child<QRadioButton>(d, "rbTyp1")->setChecked(true);
        d.reject();
    });
    e.button("btTyp")->click();
    EXPECT_EQ(e.text("EditTYP"), "00");
    EXPECT_EQ(e.text("EditNAZEV"), "ponechat");

    e.edit("EditADRESA")->setText("05");
    e.ui.expectMessage("Neznámý typ jednotky!");
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.count(), 0);
    EXPECT_EQ(e.form->mode(), EditMode::Insert);
}

TEST(TJEDDEF, RecordCheckMessages) {
    Editor e;
    e.add(unitOf(0x01, 1, "Vrátnice"));
    e.add(unitOf(0x02, 2, "Docházka hala"));
    ControlUnitRecord odd = unitOf(0x03, 8, "Zvláštní");
    e.add(odd);
    e.open();

    e.button("btNovy")->click();
    e.ui.expectDialog("TPTYP", [](QDialog& d) {
        child<QRadioButton>(d, "rbTyp1")->setChecked(true);
        d.accept();
    });
    e.button("btTyp")->click();
    e.ui.expectMessage("Tato adresa je vyhražena pro jiné použití!");
    e.button("btHotovo")->click();
    e.edit("EditADRESA")->setText("02");
    e.ui.expectMessage("Tuto adresu používá jednotka\nDocházka hala");
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.count(), 3);
    EXPECT_EQ(e.form->mode(), EditMode::Insert);
    e.button("btPrerusit")->click();

    // Updating without changing the address passes; another unit's address does not.
    e.button("btFirst")->click();
    e.button("btOpravit")->click();
    e.edit("EditNAZEV")->setText("Vrátnice A");
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.at(1).unitName.text(), "Vrátnice A");
    e.button("btOpravit")->click();
    e.edit("EditADRESA")->setText("03");
    e.ui.expectMessage("Tuto adresu používá jednotka\nZvláštní");
    e.button("btHotovo")->click();
    e.button("btPrerusit")->click();
    EXPECT_EQ(e.text("EditADRESA"), "01");

    // A stored unit of a type outside 1..4 stays editable under its own address.
    e.button("btLast")->click();
    e.button("btOpravit")->click();
    e.edit("EditNAZEV")->setText("Zvláštní 2");
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.at(3).unitName.text(), "Zvláštní 2");
    EXPECT_EQ(e.units.at(3).unitType, 8);
    // ...but not moved to a new address.
    e.button("btOpravit")->click();
    e.edit("EditADRESA")->setText("33");
    e.ui.expectMessage("Neznámý typ jednotky!");
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.at(3).address, 0x03);
    ASSERT_EQ(e.ui.shown().size(), 4u);
    for (const auto& m : e.ui.shown()) {
        EXPECT_EQ(m.buttons, ui::MessageButtons::Ok);
        EXPECT_EQ(m.icon, ui::MessageIcon::Error);
    }
}

TEST(TJEDDEF, ABadNumberIsRefusedNamingTheFieldAndNothingIsStored) {
    Editor e;
    e.add(unitOf(0x01, 1, "Vrátnice"));
    e.open();
    const ControlUnitRecord before = e.units.at(1);
    e.button("btOpravit")->click();
    e.edit("EditNAZEV")->setText("změna");

    e.edit("edSto2")->setText("256");
    e.ui.expectMessage("Položka „Stav“ objektu 2 musí být celé číslo od 0 do 255.");
    e.button("btHotovo")->click();
    EXPECT_EQ(e.form->mode(), EditMode::Update);
    e.edit("edSto2")->setText("255");

    e.edit("EditO5")->setText("12x");
    e.ui.expectMessage("Položka „Oprávnění“ objektu 5");
    e.button("btHotovo")->click();
    e.edit("EditO5")->setText("12");

    e.edit("EditS4")->setText("12,345");
    e.ui.expectMessage("Položka „Souř.“ objektu 4 musí mít tvar xxx,yyy");
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.at(1), before);
    EXPECT_EQ(e.form->mode(), EditMode::Update);

    e.edit("EditS4")->setText("007,010");
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.at(1).unitName.text(), "změna");
    EXPECT_EQ(e.units.at(1).objects[2].objectState, 255);
    EXPECT_EQ(e.units.at(1).objects[5].authorisedCount, 12);
    EXPECT_EQ(e.units.at(1).objects[4].planX, 7);
    EXPECT_EQ(e.units.at(1).objects[4].planY, 10);
}

// Typing a type code empties the object fields. The dialog buttons work on the record: a
// standard description takes the typed address only; type, usage and objects stay.
TEST(TJEDDEF, DialogButtonsKeepTheTypeUsageAndObjectsOfTheRecord) {
    ControlUnitRecord stored = unitOf(0x0A, 1, "Vrátnice");
    stored.usage = 0x05;
    for (std::size_t i = 0; i < 8; ++i) {
        UnitObjectRecord& o = stored.objects[i];
        o.zoneName.setText("SKLAD");
        o.planX = 10 + static_cast<std::int32_t>(i);
        o.planY = 20;
        o.authorisedCount = 5;
        o.presentCount = 2;
        o.objectState = 1;
    }
    struct Case {
        const char* button;
        const char* dialog;
        bool takesAddress; // and shows the record again
        std::uint8_t usage;
    };
    const Case cases[] = {
        {"btStandard", nullptr, true, 0x05},    {"btTyp", "TPTYP", true, 0x05},
        {"btPouziti", "TPOUZITI", false, 0x0F}, {"btVlastnosti", "TDOBADV", false, 0x05},
        {"btPoplach", "TMASKA", false, 0x05},   {"btRele", "TMASKA", false, 0x05},
    };
    for (const auto& c : cases) {
        Editor e;
        e.add(stored);
        e.open();
        e.button("btOpravit")->click();
        e.edit("EditADRESA")->setText("1B");
        e.edit("EditPOUZITI")->setText("0F");
        e.edit("EditTYP")->setText("04");
        if (c.dialog != nullptr) {
            e.ui.expectDialog(c.dialog, [](QDialog& d) { d.accept(); });
        }
        e.button(c.button)->click();
        const ControlUnitRecord& u = e.units.current();
        EXPECT_EQ(u.address, c.takesAddress ? 0x1B : 0x0A) << c.button;
        EXPECT_EQ(u.unitType, 1) << c.button;
        EXPECT_EQ(u.usage, c.usage) << c.button;
        EXPECT_EQ(u.objects, stored.objects) << c.button;
        EXPECT_EQ(e.text("EditS0"), c.takesAddress ? "010,020" : "") << c.button;
        // "hotovo" refuses what is still empty instead of storing zeros.
        if (!c.takesAddress) {
            e.ui.expectMessage("Položka „Souř.“ objektu 0 musí mít tvar xxx,yyy");
        }
        e.button("btHotovo")->click();
        EXPECT_EQ(e.units.at(1).objects, stored.objects) << c.button;
        EXPECT_EQ(e.units.at(1).address, c.takesAddress ? 0x1B : 0x0A) << c.button;
    }
}

TEST(TJEDDEF, EmptyNumberFieldsAreRefusedAndGreyedObjectsKeepTheirValues) {
    Editor e;
    ControlUnitRecord stored = unitOf(0x0A, 4, "Závora");
    stored.objects[3].planX = 7;
    stored.objects[3].authorisedCount = 9;
    e.add(stored);
    e.open();
    const std::pair<const char*, const char*> empties[] = {
        {"EditS1", "Položka „Souř.“ objektu 1 musí mít tvar xxx,yyy"},
        {"EditO1", "Položka „Oprávnění“ objektu 1 musí být celé číslo."},
        {"EditP1", "Položka „Přítomno“ objektu 1 musí být celé číslo."},
        {"edSto1", "Položka „Stav“ objektu 1 musí být celé číslo od 0 do 255."},
    };
    for (const auto& [field, message] : empties) {
        e.button("btOpravit")->click();
        e.edit(field)->clear();
        e.ui.expectMessage(message);
        e.button("btHotovo")->click();
        EXPECT_EQ(e.form->mode(), EditMode::Update) << field;
        EXPECT_EQ(e.units.at(1), stored) << field;
        e.button("btPrerusit")->click();
    }
    // Typing the type code of a barrier unit empties every object field; objects 2..5 are
    // greyed and cannot be filled in, so they keep what the record holds.
    e.button("btOpravit")->click();
    e.edit("EditTYP")->setText("04");
    for (int i : {0, 1, 6, 7}) {
        e.edit(QStringLiteral("EditS%1").arg(i))->setText("001,002");
        for (const char* f : {"EditO", "EditP", "edSto"}) {
            e.edit(QStringLiteral("%1%2").arg(f).arg(i))->setText("3");
        }
    }
    e.button("btHotovo")->click();
    ASSERT_EQ(e.form->mode(), EditMode::Browse);
    EXPECT_EQ(e.units.at(1).objects[3], stored.objects[3]);
    EXPECT_EQ(e.units.at(1).objects[6].planY, 2);
    EXPECT_EQ(e.units.at(1).objects[6].objectState, 3);
}

TEST(TJEDDEF, ResultTextsAreLabelledByTheirNumber) {
    Editor e;
    e.open();
    QStringList labels;
    for (auto* l : e.form->findChildren<QLabel*>()) {
        if (l->text().startsWith("Výsledek")) {
            labels << l->text();
        }
    }
    labels.sort();
    EXPECT_EQ(labels, QStringList({"Výsledek 0", "Výsledek 1", "Výsledek 2", "Výsledek 3"}));
}

TEST(TJEDDEF, BarrierPropertiesShowAndKeepTheStoredBytes) {
    Editor e;
    ControlUnitRecord u = unitOf(0x0A, 4, "Závora");
    u.parameters = {3, 0x11, 0x7E, 20, 30, 40, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0x99};
    e.add(u);
    e.open();
    e.button("btOpravit")->click();

    e.ui.expectDialog("TPARZAV", [](QDialog& d) {
        EXPECT_EQ(d.objectName(), "TPARZAV");
        EXPECT_EQ(d.windowTitle(), "Parametry závor");
        EXPECT_EQ(child<QComboBox>(d, "cbTypZavory0")->currentText(), "inteligentní - START/STOP");
        EXPECT_EQ(child<QComboBox>(d, "cbTypZavory1")->currentText(), "???");
        EXPECT_EQ(child<QSpinBox>(d, "seOtevreni0")->value(), 20);
        EXPECT_EQ(child<QSpinBox>(d, "seOtevreni1")->value(), 30);
        EXPECT_EQ(child<QSpinBox>(d, "seCekani0")->value(), 40);
        EXPECT_EQ(child<QSpinBox>(d, "seCekani1")->value(), 50);
        child<QSpinBox>(d, "seOtevreni0")->setValue(99);
        d.reject();
    });
    e.button("btVlastnosti")->click();
    EXPECT_EQ(e.units.current().parameters, u.parameters);
    EXPECT_EQ(e.text("EditKONFIG"), "03117E141E2832"
                                    "0000000000000000"
                                    "99");

    // "Hotovo" with the unknown kind untouched keeps its code.
    e.ui.expectDialog("TPARZAV", [](QDialog& d) {
        child<QSpinBox>(d, "seCekani1")->setValue(100);
        auto* kind = child<QComboBox>(d, "cbTypZavory0");
        kind->setCurrentIndex(kind->findText("relé s bariérou"));
        d.accept();
    });
    e.button("btVlastnosti")->click();
    e.button("btHotovo")->click();
    const auto& p = e.units.at(1).parameters;
    EXPECT_EQ(p[1], 0x01);
    EXPECT_EQ(p[2], 0x7E);
    EXPECT_EQ(p[6], 100);
    EXPECT_EQ(p[0], 3);
    EXPECT_EQ(p[15], 0x99);
}

TEST(TJEDDEF, DoorTimeAndDoorParameters) {
    Editor e;
    e.add(unitOf(0x01, 2, "Docházka")); // byte 0 = 0x12
    ControlUnitRecord door = unitOf(0x03, 3, "Expander");
    door.inputNames[2].setText("Sklad");
    e.add(door);
    e.open();
    e.button("btOpravit")->click();
    e.ui.expectDialog("TDOBADV", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Doba otevření dveří");
        auto* slider = child<QSlider>(d, "tbDoba");
        EXPECT_EQ(slider->value(), 1);
        EXPECT_EQ(slider->minimum(), 1);
        EXPECT_EQ(slider->maximum(), 15);
        slider->setValue(15);
        EXPECT_EQ(child<QLabel>(d, "laDoba")->text(), "15 s");
        d.accept();
    });
    e.button("btVlastnosti")->click();
    EXPECT_EQ(e.text("EditKONFIG").left(2), "F2"); // the low nibble stays
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.at(1).parameters[0], 0xF2);

    e.button("btNext")->click();
    e.button("btOpravit")->click();
    e.ui.expectDialog("TPARDV", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Parametry dveří");
        EXPECT_EQ(child<QSpinBox>(d, "seOtevreni2")->value(), 1);
        child<QSpinBox>(d, "seOtevreni2")->setValue(7);
        child<QSpinBox>(d, "seCekani3")->setValue(9);
        bool labelled = false;
        for (auto* l : d.findChildren<QLabel*>()) {
            labelled = labelled || l->text() == "Sklad";
        }
        EXPECT_TRUE(labelled);
        d.accept();
    });
    e.button("btVlastnosti")->click();
    e.button("btHotovo")->click();
    const auto& p = e.units.at(2).parameters;
    EXPECT_EQ(p[0], 1);
    EXPECT_EQ(p[5], 7); // opening of door 2: byte 1 + 2*2
    EXPECT_EQ(p[8], 9); // waiting of door 3: byte 2 + 2*3
    EXPECT_EQ(p[1], 1);
}

TEST(TJEDDEF, UsageAndMaskDialogs) {
    Editor e;
    ControlUnitRecord u = unitOf(0x01, 1, "Vrátnice");
    u.usage = 0x82;
    e.add(u);
    e.add(unitOf(0x02, 2, "Docházka"));
    e.open();
    e.button("btOpravit")->click();
    e.edit("EditSnimIN0")->setText("Hlavní vchod");
    e.ui.expectDialog("TPOUZITI", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Vnější vstupy do objektu");
        EXPECT_EQ(d.findChildren<QCheckBox*>().size(), 4);
        auto* first = child<QCheckBox>(d, "cbPouziti0");
        EXPECT_EQ(first->text(), "Hlavní vchod");
        EXPECT_FALSE(first->isChecked());
        EXPECT_TRUE(child<QCheckBox>(d, "cbPouziti1")->isChecked());
        first->setChecked(true);
        d.accept();
    });
    e.button("btPouziti")->click();
    EXPECT_EQ(e.text("EditPOUZITI"), "83"); // bit 7 has no box and stays

    e.ui.expectDialog("TMASKA", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Maska poplachu");
        EXPECT_EQ(child<QCheckBox>(d, "cbBit0")->text(), "Hlavní vchod");
        child<QCheckBox>(d, "cbBit7")->setChecked(false);
        d.accept();
    });
    e.button("btPoplach")->click();
    EXPECT_EQ(e.text("EditALARM"), "7F");
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.at(1).usage, 0x83);
    EXPECT_EQ(e.units.at(1).alarmMask, 0x7F);

    e.button("btNext")->click();
    e.button("btOpravit")->click();
    e.ui.expectDialog("TPOUZITI", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Funkce jednotky");
        auto* active = child<QCheckBox>(d, "cbPouziti0");
        EXPECT_EQ(active->text(), "Aktivní");
        EXPECT_FALSE(active->isChecked());
        active->setChecked(true);
        d.accept();
    });
    e.button("btPouziti")->click();
    EXPECT_EQ(e.text("EditPOUZITI"), "01");
    e.ui.expectDialog("TMASKA", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Maska otevření dveří");
        EXPECT_EQ(child<QCheckBox>(d, "cbBit6")->text(), "* ZRUŠIT *");
        child<QCheckBox>(d, "cbBit0")->setChecked(true);
        child<QCheckBox>(d, "cbBit4")->setChecked(true);
        d.accept();
    });
    e.button("btRele")->click();
    EXPECT_EQ(e.text("EditRELE"), "11");
    e.ui.expectDialog("TMASKA", [](QDialog& d) { d.reject(); });
    e.button("btRele")->click();
    EXPECT_EQ(e.text("EditRELE"), "11");
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.at(2).relayMask, 0x11);
    EXPECT_EQ(e.units.at(2).usage, 0x01);
}

TEST(TJEDDEF, ZoneFieldsChooseFromTheZoneList) {
    Editor e;
    e.add(unitOf(0x01, 1, "Vrátnice"));
    e.open();
    e.form->show();
    auto* panel = e.form->findChild<NameChoicePanel*>("pnZony");
    QTest::mouseClick(e.edit("EditZon2"), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible()); // browse mode: no panel
    e.button("btOpravit")->click();
    QTest::mouseClick(e.edit("EditZon2"), Qt::LeftButton);
    ASSERT_TRUE(panel->isVisible());
    ASSERT_EQ(panel->list()->count(), 2);
    EXPECT_EQ(panel->list()->item(0)->text(), "HLAVNÍ ZÓNA");
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {},
                      panel->list()->visualItemRect(panel->list()->item(1)).center());
    EXPECT_EQ(e.text("EditZon2"), "SKLAD");
    EXPECT_FALSE(panel->isVisible());
    QTest::mouseClick(e.edit("EditZon2"), Qt::LeftButton);
    panel->clearButton()->click();
    EXPECT_EQ(e.text("EditZon2"), "");
    QTest::mouseClick(e.edit("EditZon4"), Qt::LeftButton);
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {},
                      panel->list()->visualItemRect(panel->list()->item(0)).center());
    e.button("btHotovo")->click();
    EXPECT_EQ(e.units.at(1).objects[4].zoneName.text(), "HLAVNÍ ZÓNA");
    EXPECT_TRUE(e.units.at(1).objects[2].zoneName.empty());
}

TEST(TJEDDEF, CancelAndDelete) {
    Editor e;
    e.open();
    e.button("btNovy")->click();
    e.edit("EditNAZEV")->setText("nic");
    e.button("btPrerusit")->click();
    EXPECT_EQ(e.units.count(), 0);
    EXPECT_EQ(e.text("EditNAZEV"), "");
    EXPECT_EQ(e.position(), "0/0");

    e.add(unitOf(0x01, 1, "první"));
    e.add(unitOf(0x02, 1, "druhá"));
    e.add(unitOf(0x03, 1, "třetí"));
    e.open();
    e.button("btNext")->click();
    e.ui.expectMessage("Skutečně smazat tento záznam?", MessageAnswer::Cancel);
    e.button("btSmazat")->click();
    EXPECT_EQ(e.units.count(), 3);
    e.ui.expectMessage("Skutečně smazat tento záznam?", MessageAnswer::Ok);
    e.button("btSmazat")->click();
    EXPECT_EQ(e.units.count(), 2);
    EXPECT_EQ(e.text("EditNAZEV"), "třetí");
    EXPECT_EQ(e.position(), "2/2");
}

} // namespace
} // namespace qtr::setup
