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

} // namespace
} // namespace qtr::setup
