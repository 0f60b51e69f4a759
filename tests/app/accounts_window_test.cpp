#include "app/accounts_window.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace qtr {
namespace {

const KeyNumber kMaster = KeyNumber::parse("0102030405060A");

struct AccountsWindowTest : ::testing::Test {
    test::TempDir dir;
    test::UiResponder ui;
    SeededRandomSource random{23};
    std::filesystem::path file = dir / kAccountFile;

    void writeAccounts(std::initializer_list<const char*> names) {
        UserAccounts a = emptyAccounts(random);
        for (const char* n : names) {
            a.accountSlots[a.count].userName.setText(n);
            a.accountSlots[a.count].password.setText(std::string(n) + "-heslo");
            ++a.count;
        }
        ASSERT_TRUE(saveAccountFile(file, a, scramblingKeyOf(kMaster), random).ok());
    }
    UserAccounts readAccounts() {
        UserAccounts a;
        EXPECT_TRUE(loadAccountFile(file, scramblingKeyOf(kMaster), random, a).ok());
        return a;
    }
    static QPushButton* button(TCPM& w, const char* name) {
        return w.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static void type(TCPM& w, const char* field, const QString& text) {
        // Each change of the text is an edit of the field, as typing is.
        w.findChild<QLineEdit*>(QString::fromLatin1(field))->setText(text);
    }
};

// Shown, the list gets the focus; that alone must not select an account.
TEST_F(AccountsWindowTest, NothingIsSelectedUntilALineIsClicked) {
    writeAccounts({"Adam", "Běla"});
    TCPM w(file, kMaster, false, random);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* list = w.findChild<QListWidget*>("ListBox1");
    list->setFocus(Qt::TabFocusReason);
    QTest::qWait(20);
    EXPECT_EQ(w.findChild<QLabel*>("laPozice")->text(), "0/2");
    EXPECT_EQ(w.findChild<QLineEdit*>("edJmeno")->text(), "");
    EXPECT_FALSE(button(w, "btOpravit")->isEnabled());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(w.findChild<QLabel*>("laPozice")->text(), "2/2");
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(w.findChild<QLineEdit*>("edJmeno")->text(), "Adam");
}

TEST_F(AccountsWindowTest, ListAndPositionLabel) {
    writeAccounts({"Adam", "Běla"});
    TCPM w(file, kMaster, false, random);
    auto* list = w.findChild<QListWidget*>("ListBox1");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "Běla");
    EXPECT_EQ(w.findChild<QLabel*>("laPozice")->text(), "0/2");
    EXPECT_FALSE(button(w, "btOpravit")->isEnabled());
    list->setCurrentRow(1);
    EXPECT_EQ(w.findChild<QLabel*>("laPozice")->text(), "2/2");
    EXPECT_EQ(w.findChild<QLineEdit*>("edJmeno")->text(), "Běla");
    EXPECT_TRUE(w.findChild<QLineEdit*>("edHeslo")->text().isEmpty());
    EXPECT_TRUE(w.findChild<QLabel*>("Label4")->isHidden());
}

TEST_F(AccountsWindowTest, TheMasterKeyIsShownOnlyInServiceMode) {
    TCPM w(file, kMaster, true, random);
    EXPECT_FALSE(w.findChild<QLabel*>("Label4")->isHidden());
    EXPECT_EQ(w.findChild<QLabel*>("Label4")->text(), "0102030405060A");
}

TEST_F(AccountsWindowTest, ASixCharacterPasswordKeepsHotovoDisabled) {
    TCPM w(file, kMaster, false, random);
    w.btNovyClick();
    auto* hotovo = button(w, "btHotovo");
    EXPECT_FALSE(hotovo->isEnabled());
    type(w, "edJmeno", "Cyril");
    type(w, "edHeslo", "123456");
    EXPECT_FALSE(hotovo->isEnabled());
    QTest::keyClicks(w.findChild<QLineEdit*>("edHeslo"), "7");
    EXPECT_TRUE(hotovo->isEnabled());
    QTest::mouseClick(hotovo, Qt::LeftButton);
    EXPECT_EQ(w.accounts().count, 1);
    EXPECT_EQ(w.accounts().find("Cyril", "1234567"), 1);
    EXPECT_EQ(w.findChild<QLabel*>("laPozice")->text(), "1/1");

    // Nothing reaches the file before "použít".
    EXPECT_FALSE(std::filesystem::exists(file));
    QTest::mouseClick(button(w, "btPouzit"), Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(std::filesystem::file_size(file), 1024u);
    EXPECT_EQ(readAccounts().find("Cyril", "1234567"), 1);
}

TEST_F(AccountsWindowTest, TenAccountsDisableNovy) {
    writeAccounts({"a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"});
    TCPM w(file, kMaster, false, random);
    ASSERT_TRUE(button(w, "btNovy")->isEnabled());
    w.btNovyClick();
    type(w, "edJmeno", "a10");
    type(w, "edHeslo", "desaté heslo");
    w.btHotovoClick();
    EXPECT_EQ(w.accounts().count, 10);
    EXPECT_FALSE(button(w, "btNovy")->isEnabled());
    w.btNovyClick();
    EXPECT_EQ(w.accounts().count, 10);
}

TEST_F(AccountsWindowTest, CancelledEditsLeaveTheAccountsAsTheyWere) {
    writeAccounts({"Adam"});
    TCPM w(file, kMaster, false, random);
    w.selectAccount(1);
    w.btOpravitClick();
    EXPECT_EQ(w.findChild<QLineEdit*>("edHeslo")->text(), "Adam-heslo");
    type(w, "edJmeno", "Eva");
    type(w, "edHeslo", "nové heslo");
    // Every change is stored into the slot at once...
    EXPECT_EQ(w.accounts().find("Eva", "nové heslo"), 1);
    // ...and "zpět" puts the copy back.
    w.btZpetClick();
    EXPECT_EQ(w.accounts().find("Adam", "Adam-heslo"), 1);

    // A new account abandoned leaves nothing of what was typed in its slot.
    w.btNovyClick();
    type(w, "edJmeno", "Tajný");
    type(w, "edHeslo", "tajné heslo");
    w.btZpetClick();
    EXPECT_EQ(w.accounts().count, 1);
    EXPECT_NE(w.accounts().accountSlots[1].password.text(), "tajné heslo");
    EXPECT_TRUE(w.accounts().accountSlots[1].userName.empty());
}

TEST_F(AccountsWindowTest, DeletingMovesTheRestDownAndLeavesNoCopyBehind) {
    writeAccounts({"Adam", "Běla", "Cyril"});
    TCPM w(file, kMaster, false, random);
    w.selectAccount(1);
    w.btSmazatClick();
    ASSERT_EQ(w.accounts().count, 2);
    EXPECT_EQ(w.accounts().accountSlots[0].userName.text(), "Běla");
    EXPECT_EQ(w.accounts().accountSlots[1].userName.text(), "Cyril");
    EXPECT_TRUE(w.accounts().accountSlots[2].userName.empty());
    EXPECT_NE(w.accounts().accountSlots[2].password.text(), "Cyril-heslo");

    // The last slot: refilled with random bytes and empty texts.
    w.selectAccount(2);
    w.btSmazatClick();
    ASSERT_EQ(w.accounts().count, 1);
    EXPECT_TRUE(w.accounts().accountSlots[1].userName.empty());
    EXPECT_TRUE(w.accounts().accountSlots[1].password.empty());
    EXPECT_EQ(w.findChild<QLabel*>("laPozice")->text(), "1/1");
    w.btSmazatClick();
    EXPECT_EQ(w.accounts().count, 0);
    EXPECT_EQ(w.findChild<QLabel*>("laPozice")->text(), "0/0");
    EXPECT_FALSE(button(w, "btSmazat")->isEnabled());

    // "zrušit" closes without writing.
    QTest::mouseClick(button(w, "btZrusit"), Qt::LeftButton);
    EXPECT_EQ(readAccounts().count, 3);
}

TEST_F(AccountsWindowTest, AnUnreadableFileIsReportedAndKeptBeforeItIsReplaced) {
    test::writeBytes(file, std::vector<std::uint8_t>(100, 7));
    ui.expectMessage("binfile.bin");
    TCPM w(file, kMaster, false, random);
    EXPECT_TRUE(w.loadFailed());
    EXPECT_EQ(w.accounts().count, 0);
    w.btPouzitClick();
    EXPECT_EQ(std::filesystem::file_size(file), 1024u);
    EXPECT_EQ(std::filesystem::file_size(dir / "binfile.bin.bak"), 100u);
}

} // namespace
} // namespace qtr

#include "app/user_guide.h"

namespace qtr {
namespace {

TEST(UserGuide, EveryMenuHasItsSectionInsideTheProgram) {
    const QStringList topics = userGuideTopics();
    EXPECT_EQ(topics,
              (QStringList{"QTR", "Uzivatele", "Definice", "Nastaveni", "Vyuzivani", "Program"}));
    for (const QString& t : topics) {
        EXPECT_GT(userGuidePage(t).size(), 300) << t.toStdString();
    }
    EXPECT_TRUE(userGuidePage("Uzivatele").contains("Přihlásit"));
    EXPECT_TRUE(userGuidePage("Program").contains("qtr-cli master-key"));
    EXPECT_TRUE(userGuidePage("nic").isEmpty());
}

} // namespace
} // namespace qtr
