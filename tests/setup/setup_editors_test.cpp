#include "db/configuration_database.h"
#include "db/data_files.h"
#include "setup/setup_editors.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace qtr::setup {
namespace {

TEST(SetupEditors, EachEditorSavesItsTableWhenItCloses) {
    test::TempDir dir;
    test::UiResponder ui;
    ConfigurationDatabase db;

    ui.expectDialog("TSKUP", [](QDialog& w) {
        w.findChild<QPushButton*>("btNovy")->click();
        w.findChild<QPushButton*>("btHotovo")->click();
    });
    ASSERT_TRUE(runGroupRegister(db, dir.path(), nullptr));
    EXPECT_EQ(std::filesystem::file_size(dir / kGroupsFile), 26u);

    ui.expectDialog("TKEYS", [](QDialog& w) {
        w.findChild<QPushButton*>("btNovy")->click();
        w.findChild<QLineEdit*>("EditJMENO")->setText("Eva");
        w.findChild<QPushButton*>("btUlozit")->click();
        // A second, unfinished holder is discarded with the window.
        w.findChild<QPushButton*>("btNovy")->click();
    });
    ASSERT_TRUE(runKeyHolderRegister(db, dir.path(), KeyReading{}, nullptr));
    EXPECT_EQ(std::filesystem::file_size(dir / kKeyHoldersFile), 154u);

    ui.expectDialog("TJEDDEF", [](QDialog&) {});
    ASSERT_TRUE(runUnitEditor(db, dir.path(), nullptr));
    EXPECT_EQ(std::filesystem::file_size(dir / kUnitsFile), 0u);
}

// Reopened on an empty table, an editor shows an empty record, never what the table's
// current record still held from earlier (a deleted holder, an abandoned new unit).
TEST(SetupEditors, AnEditorOpenedOnAnEmptyTableShowsAnEmptyRecord) {
    test::TempDir dir;
    test::UiResponder ui;
    ConfigurationDatabase db;
    db.keyHolders.current().keyNumber = KeyNumber::parse("0100000000ABCD");
    db.keyHolders.current().holderName.setText("Zbytek");
    db.groups.current().groupName.setText("Zbytek");
    db.groups.current().authorisedCount = 5;
    db.units.current().address = 0x22;
    db.units.current().unitName.setText("Zbytek");
    const auto text = [](QDialog& w, const char* name) {
        return w.findChild<QLineEdit*>(name)->text();
    };

    ui.expectDialog("TKEYS", [&](QDialog& w) {
        EXPECT_EQ(text(w, "EditCTM"), "00000000000000");
        EXPECT_EQ(text(w, "EditJMENO"), "");
    });
    ASSERT_TRUE(runKeyHolderRegister(db, dir.path(), KeyReading{}, nullptr));
    ui.expectDialog("TSKUP", [&](QDialog& w) {
        EXPECT_EQ(text(w, "Edit1") + "|" + text(w, "Edit2") + "|" + text(w, "Edit3"), "|0|0");
    });
    ASSERT_TRUE(runGroupRegister(db, dir.path(), nullptr));
    ui.expectDialog("TJEDDEF", [&](QDialog& w) {
        EXPECT_EQ(text(w, "EditADRESA") + "|" + text(w, "EditNAZEV"), "00|");
    });
    ASSERT_TRUE(runUnitEditor(db, dir.path(), nullptr));
}

} // namespace
} // namespace qtr::setup
