#include "db/configuration_database.h"
#include "db/data_files.h"
#include "setup/setup_editors.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace qtr::setup {
namespace {

// Runs `act` on the modal editor once it is up, then closes it.
void whenShown(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        act(w);
        w->close();
    });
}

TEST(SetupEditors, EachEditorSavesItsTableWhenItCloses) {
    test::TempDir dir;
    ConfigurationDatabase db;

    whenShown([](QWidget* w) {
        EXPECT_EQ(w->objectName(), "TSKUP");
        w->findChild<QPushButton*>("btNovy")->click();
        w->findChild<QPushButton*>("btHotovo")->click();
    });
    ASSERT_TRUE(runGroupRegister(db, dir.path(), nullptr));
    EXPECT_EQ(std::filesystem::file_size(dir / kGroupsFile), 26u);

    whenShown([](QWidget* w) {
        EXPECT_EQ(w->objectName(), "TKEYS");
        w->findChild<QPushButton*>("btNovy")->click();
        w->findChild<QLineEdit*>("EditJMENO")->setText("Eva");
        w->findChild<QPushButton*>("btUlozit")->click();
        // A second, unfinished holder is discarded with the window.
        w->findChild<QPushButton*>("btNovy")->click();
    });
    ASSERT_TRUE(runKeyHolderRegister(db, dir.path(), KeyReading{}, nullptr));
    EXPECT_EQ(std::filesystem::file_size(dir / kKeyHoldersFile), 154u);

    whenShown([](QWidget* w) { EXPECT_EQ(w->objectName(), "TJEDDEF"); });
    ASSERT_TRUE(runUnitEditor(db, dir.path(), nullptr));
    EXPECT_EQ(std::filesystem::file_size(dir / kUnitsFile), 0u);
}

} // namespace
} // namespace qtr::setup
