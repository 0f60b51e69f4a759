#include "access/forms/access_editors.h"
#include "access/forms/schedules_form.h"
#include "db/configuration_database.h"
#include "db/data_files.h"
#include "support/button_state.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace qtr::access {
namespace {

using test::enabledButtons;

TimeSegment seg(int fh, int fm, int th, int tm, std::uint8_t days) {
    return {makeHourMinute(fh, fm), makeHourMinute(th, tm), days};
}

QPushButton* button(QDialog& w, const char* name) {
    return w.findChild<QPushButton*>(name);
}
QLineEdit* edit(QDialog& w, const char* name) {
    return w.findChild<QLineEdit*>(name);
}

// TSLR answered with a window and its days (check boxes 1..7 = Monday..Sunday).
std::function<void(QDialog&)> segmentAnswer(TimeSegment s) {
    return [s](QDialog& d) {
        d.findChild<QSpinBox*>("udOdHodina")->setValue(hourOf(s.from));
        d.findChild<QSpinBox*>("udOdMinuta")->setValue(minuteOf(s.from));
        d.findChild<QSpinBox*>("udDoHodina")->setValue(hourOf(s.to));
        d.findChild<QSpinBox*>("udDoMinuta")->setValue(minuteOf(s.to));
        for (int day = 0; day < 7; ++day) {
            auto* c = d.findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(day + 1));
            if (c->isChecked() != ((s.dayMask & (kMonday >> day)) != 0)) {
                c->click();
            }
        }
        d.findChild<QPushButton*>("btHotovo")->click();
    };
}

std::string boxes(QDialog& w) {
    std::string s;
    for (int k = 1; k <= 7; ++k) {
        s += edit(w, QStringLiteral("edOknoCasu%1").arg(k).toUtf8().constData())->isEnabled() ? 'x'
                                                                                              : '.';
    }
    return s;
}

constexpr auto kScheduleButtons = {"btFirst",   "btPrior",  "btNext",     "btLast",   "btNovy",
                                   "btOpravit", "btSmazat", "btPrerusit", "btUlozit", "btVybrat"};

TEST(TCASACC, EditorChecksSegmentsAndSavesTheSchedulesSortedByName) {
    test::TempDir dir;
    test::UiResponder ui;
    ConfigurationDatabase db;
    ui.expectDialog("TCASACC", [&](QDialog& w) {
        EXPECT_EQ(enabledButtons(w, kScheduleButtons), "btNovy");
        EXPECT_FALSE(button(w, "btVybrat")->isVisibleTo(&w));
        button(w, "btNovy")->click();
        EXPECT_EQ(enabledButtons(w, kScheduleButtons), "btPrerusit btUlozit");
        EXPECT_EQ(boxes(w), "x......");
        ui.expectMessage("Rozvrh musí mít jméno!");
        button(w, "btUlozit")->click();
        edit(w, "edNazev")->setText("Čas");
        ui.expectMessage("Prázdný rozvrh!");
        button(w, "btUlozit")->click();

        ui.expectDialog("TSLR", segmentAnswer(seg(7, 0, 15, 30, 0x7C)));
        QTest::mouseClick(edit(w, "edOknoCasu1"), Qt::LeftButton);
        EXPECT_EQ(edit(w, "edOknoCasu1")->text(), "07:00 - 15:30 Po Út St Čt Pá ");
        EXPECT_EQ(boxes(w), "xx.....");
        // The same window again in segment 2 goes again.
        ui.expectDialog("TSLR", segmentAnswer(seg(7, 0, 15, 30, 0x7C)));
        QTest::mouseClick(edit(w, "edOknoCasu2"), Qt::LeftButton);
        EXPECT_EQ(edit(w, "edOknoCasu2")->text(), "00:00 - 00:00 ");
        QTest::mouseClick(edit(w, "edOknoCasu3"), Qt::LeftButton); // disabled: nothing opens
        button(w, "btUlozit")->click();
        EXPECT_EQ(enabledButtons(w, kScheduleButtons), "btNovy btOpravit btSmazat");
        EXPECT_EQ(boxes(w), ".......");

        button(w, "btNovy")->click();
        edit(w, "edNazev")->setText("Zima");
        ui.expectDialog("TSLR", segmentAnswer(seg(22, 0, 23, 59, 0x03)));
        QTest::mouseClick(edit(w, "edOknoCasu1"), Qt::LeftButton);
        button(w, "btUlozit")->click();
        EXPECT_EQ(w.findChild<QLabel*>("laPos")->text(), "2/2");
        EXPECT_EQ(enabledButtons(w, kScheduleButtons), "btFirst btPrior btNovy btOpravit btSmazat");

        button(w, "btNovy")->click();
        edit(w, "edNazev")->setText("Zima");
        ui.expectDialog("TSLR", segmentAnswer(seg(1, 0, 2, 0, 0x01)));
        QTest::mouseClick(edit(w, "edOknoCasu1"), Qt::LeftButton);
        ui.expectMessage("Takové jméno již existuje!");
        button(w, "btUlozit")->click();
        button(w, "btPrerusit")->click();
        EXPECT_EQ(edit(w, "edNazev")->text(), "Zima");
        auto* list = w.findChild<QListWidget*>("lbRozvrhy");
        ASSERT_EQ(list->count(), 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        EXPECT_EQ(edit(w, "edNazev")->text(), "Čas");
        EXPECT_EQ(w.findChild<QLabel*>("laPos")->text(), "1/2");
    });
    ASSERT_TRUE(runScheduleEditor(db, dir.path(), nullptr));

    // Z (0x5A) sorts before Č (0xC8) byte by byte.
    const auto bytes = test::readBytes(dir / kSchedulesFile);
    ASSERT_EQ(bytes.size(), 2u * AccessScheduleRecord::kSize);
    const auto first = AccessScheduleRecord::fromBytes(std::span(bytes).subspan(0, 54));
    const auto second = AccessScheduleRecord::fromBytes(std::span(bytes).subspan(54, 54));
    EXPECT_EQ(first.scheduleName.text(), "Zima");
    EXPECT_EQ(second.scheduleName.text(), "Čas");
    EXPECT_EQ(second.segmentCount, 1);
    EXPECT_EQ(second.segments[0], seg(7, 0, 15, 30, 0x7C));
    EXPECT_EQ(second.segments[1], TimeSegment{});
    EXPECT_FALSE(std::filesystem::exists(dir / kPermissionGroupsFile));
}

TEST(TCASACC, NoNewScheduleAtAHundredAndNavigationByPosition) {
    test::UiResponder ui;
    AccessScheduleTable schedules;
    PermissionGroupTable groups;
    for (int i = 0; i < 100; ++i) {
        schedules.current().scheduleName.setText("R" + std::to_string(i));
        schedules.current().segmentCount = 1;
        schedules.append();
    }
    TCASACC w(schedules, groups, TCASACC::Use::Editor);
    EXPECT_EQ(enabledButtons(w, kScheduleButtons), "btNext btLast btOpravit btSmazat");
    button(w, "btLast")->click();
    EXPECT_EQ(enabledButtons(w, kScheduleButtons), "btFirst btPrior btOpravit btSmazat");
    ui.expectMessage("Skutečně smazat tento záznam?", ui::MessageAnswer::Ok);
    button(w, "btSmazat")->click();
    EXPECT_EQ(w.findChild<QLabel*>("laPos")->text(), "99/99");
    EXPECT_EQ(enabledButtons(w, kScheduleButtons), "btFirst btPrior btNovy btOpravit btSmazat");
}

ConfigurationDatabase installation() {
    ConfigurationDatabase db;
    auto unit = [&](std::uint8_t address, std::uint8_t type, const char* name) {
        ControlUnitRecord& u = db.units.current();
        u = ControlUnitRecord{};
        u.address = address;
        u.unitType = type;
        u.unitName.setText(name);
        u.inputNames[0].setText("Závora 0 ");
        u.inputNames[1].setText("Závora 1 ");
        db.units.append();
    };
    unit(0x0A, kUnitBarrier, "Brána");
    unit(0x21, kUnitAccess, "Vrátnice");
    unit(0x05, kUnitDoor, "Sklady");
    db.schedules.current().scheduleName.setText("Ranní");
    db.schedules.current().segmentCount = 1;
    db.schedules.current().segments[0] = seg(7, 0, 15, 30, 0x7C);
    db.schedules.append();
    return db;
}

constexpr auto kGroupButtons = {"btNovy",   "btOpravit", "btSmazat",     "btPrerusit", "btUlozit",
                                "btPridat", "btOdebrat", "btVlastnosti", "btRozvrh"};

void clickUnit(QDialog& w, int row) {
    auto* list = w.findChild<QListWidget*>("lbJednotky");
    ASSERT_TRUE(list->isVisibleTo(&w));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    EXPECT_FALSE(list->isVisibleTo(&w));
}

std::string tabs(QDialog& w) {
    auto* bar = w.findChild<QTabBar*>("tcJednotky");
    std::string s;
    for (int i = 0; i < bar->count(); ++i) {
        s += (i == bar->currentIndex() ? "*" : "") + bar->tabText(i).toStdString() + "|";
    }
    return s;
}

TEST(TACCRTS, EntriesAreAddedChangedGivenASchedulePickedAndSaved) {
    test::TempDir dir;
    test::UiResponder ui;
    ConfigurationDatabase db = installation();
    ui.expectDialog("TACCRTS", [&](QDialog& w) {
        EXPECT_EQ(enabledButtons(w, kGroupButtons), "btNovy");
        button(w, "btNovy")->click();
        EXPECT_EQ(enabledButtons(w, kGroupButtons), "btPrerusit btUlozit btPridat");
        ui.expectMessage("Záznam musí mít název!");
        button(w, "btUlozit")->click();
        edit(w, "edNazev")->setText("Údržba");
        ui.expectMessage("Záznam nesmí být prázdný!");
        button(w, "btUlozit")->click();

        button(w, "btPridat")->click();
        clickUnit(w, 0);
        EXPECT_EQ(tabs(w), "*0A Brána|");
        EXPECT_EQ(edit(w, "edKam")->text(), "samostatný klíč, žádná závora");
        EXPECT_EQ(w.findChild<QLabel*>("laKdy")->text(), "Kdy:      []");
        EXPECT_EQ(enabledButtons(w, kGroupButtons),
                  "btPrerusit btUlozit btPridat btOdebrat btVlastnosti btRozvrh");
        button(w, "btPridat")->click();
        ui.expectMessage("Taková jednotka je již použita!");
        clickUnit(w, 0);
        EXPECT_EQ(tabs(w), "*0A Brána|");
        button(w, "btPridat")->click();
        clickUnit(w, 1);
        EXPECT_EQ(edit(w, "edKam")->text(), "všechny dveře");
        EXPECT_EQ(enabledButtons(w, kGroupButtons),
                  "btPrerusit btUlozit btPridat btOdebrat btRozvrh");
        button(w, "btPridat")->click();
        clickUnit(w, 2);
        EXPECT_EQ(tabs(w), "0A Brána|21 Vrátnice|*05 Sklady|");
        EXPECT_FALSE(button(w, "btPridat")->isEnabled()); // three units, three entries
        button(w, "btOdebrat")->click();
        EXPECT_EQ(tabs(w), "0A Brána|*21 Vrátnice|");

        w.findChild<QTabBar*>("tcJednotky")->setCurrentIndex(0);
        ui.expectDialog("TATROPR", [](QDialog& d) {
            d.findChild<QAbstractButton*>("cbObjekt0")->click();
            d.findChild<QAbstractButton*>("rbDruh2")->click();
            d.findChild<QPushButton*>("btHotovo")->click();
        });
        QTest::mouseClick(edit(w, "edKam"), Qt::LeftButton); // a click on "Kam:" does the same
        EXPECT_EQ(edit(w, "edKam")->text(), "klíč vozidla, Závora 0 ");

        ui.expectDialog("TCASACC", [](QDialog& picker) {
            EXPECT_TRUE(picker.findChild<QPushButton*>("btVybrat")->isVisibleTo(&picker));
            EXPECT_EQ(picker.findChild<QLineEdit*>("edNazev")->text(), "Ranní");
            picker.findChild<QPushButton*>("btVybrat")->click();
        });
        button(w, "btRozvrh")->click();
        EXPECT_EQ(w.findChild<QLabel*>("laKdy")->text(), "Kdy:      [Ranní]");
        EXPECT_EQ(w.findChild<QPlainTextEdit*>("meRozvrh")->toPlainText(),
                  "07:00 - 15:30 Po Út St Čt Pá ");
        button(w, "btUlozit")->click();
        EXPECT_EQ(enabledButtons(w, kGroupButtons), "btNovy btOpravit btSmazat");
        EXPECT_EQ(w.findChild<QListWidget*>("lbOpravneni")->item(0)->text(), "Údržba");
    });
    ASSERT_TRUE(runPermissionGroupEditor(db, dir.path(), nullptr));

    const auto bytes = test::readBytes(dir / kPermissionGroupsFile);
    ASSERT_EQ(bytes.size(), PermissionGroupRecord::kSize);
    const auto g = PermissionGroupRecord::fromBytes(bytes);
    EXPECT_EQ(g.name.text(), "Údržba");
    ASSERT_EQ(g.entryCount, 2);
    EXPECT_EQ(g.entries[0].unitAddress, 0x0A);
    EXPECT_EQ(g.entries[0].entryAttributes, 0x0D);
    EXPECT_EQ(g.entries[0].scheduleName.text(), "Ranní");
    EXPECT_EQ(g.entries[1].unitAddress, 0x21);
    EXPECT_EQ(g.entries[1].scheduleName.text(), "");
    // Nothing else was touched.
    EXPECT_FALSE(std::filesystem::exists(dir / kKeyHoldersFile));
    EXPECT_FALSE(std::filesystem::exists(dir / kSchedulesFile));
}

TEST(TACCRTS, RenamesReachTheirUsersAndAGoneUnitIsNamed) {
    test::TempDir dir;
    test::UiResponder ui;
    ConfigurationDatabase db = installation();
    PermissionGroupRecord& g = db.permissionGroups.current();
    g.name.setText("Údržba");
    g.entryCount = 2;
    g.entries[0] = {0x0A, 0x01, ShortString<17>("Ranní")};
    g.entries[1] = {0x33, 0x00, ShortString<17>("Ranní")};
    db.permissionGroups.append();
    for (const char* group : {"Údržba", "Vedení", "Údržba"}) {
        db.keyHolders.newRecord();
        db.keyHolders.current().permissionGroupName.setText(group);
        db.keyHolders.append();
    }

    ui.expectDialog("TACCRTS", [&](QDialog& w) {
        w.findChild<QTabBar*>("tcJednotky")->setCurrentIndex(1); // browse: nothing said
        EXPECT_EQ(tabs(w), "0A Brána|*?-33|");
        EXPECT_EQ(edit(w, "edKam")->text(), "?");
        ui.expectMessage("Neznámá jednotka!");
        button(w, "btOpravit")->click();
        EXPECT_EQ(enabledButtons(w, kGroupButtons),
                  "btPrerusit btUlozit btPridat btOdebrat btRozvrh");

        // The schedule renamed in the picker: both entries take the new name.
        ui.expectDialog("TCASACC", [&](QDialog& picker) {
            picker.findChild<QPushButton*>("btOpravit")->click();
            picker.findChild<QLineEdit*>("edNazev")->setText("Denní");
            ui.expectMessage("Nový název rozvrhu byl zapsán do položek oprávnění: 2");
            picker.findChild<QPushButton*>("btUlozit")->click();
            ui.expectMessage("Neznámá jednotka!"); // then the tab is shown again
            picker.findChild<QPushButton*>("btVybrat")->click();
        });
        button(w, "btRozvrh")->click();
        EXPECT_EQ(w.findChild<QLabel*>("laKdy")->text(), "Kdy:      [Denní]");

        edit(w, "edNazev")->setText("Dílna");
        ui.expectMessage("Nový název oprávnění byl zapsán u nositelů klíčů: 2");
        button(w, "btUlozit")->click();
    });
    ASSERT_TRUE(runPermissionGroupEditor(db, dir.path(), nullptr));

    // Each renamed reference reached its file; the schedule changed in the picker too.
    PermissionGroupTable groups;
    ASSERT_TRUE(groups.load(dir / kPermissionGroupsFile));
    EXPECT_EQ(groups.at(1).name.text(), "Dílna");
    EXPECT_EQ(groups.at(1).entries[0].scheduleName.text(), "Denní");
    EXPECT_EQ(groups.at(1).entries[1].scheduleName.text(), "Denní");
    KeyHolderTable holders;
    ASSERT_TRUE(holders.load(dir / kKeyHoldersFile));
    std::string names;
    for (const KeyHolderRecord& h : holders.records()) {
        names += h.permissionGroupName.text() + "|";
    }
    EXPECT_EQ(names, "Dílna|Vedení|Dílna|");
    AccessScheduleTable schedules;
    ASSERT_TRUE(schedules.load(dir / kSchedulesFile));
    EXPECT_EQ(schedules.at(1).scheduleName.text(), "Denní");
}

} // namespace
} // namespace qtr::access
