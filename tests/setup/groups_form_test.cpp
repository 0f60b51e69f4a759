#include "db/tables.h"
#include "setup/groups_form.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"
#include "ui/record_navigator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace qtr::setup {
namespace {

using ui::MessageAnswer;

struct GroupsWindow {
    explicit GroupsWindow(GroupTable& t) : form(t) {}
    TSKUP form;
    QLineEdit* edit(const char* name) { return form.findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return form.findChild<QPushButton*>(name); }
    QString position() { return form.findChild<QLabel*>("laPos")->text(); }
};

GroupTable groupsNamed(int n) {
    GroupTable t;
    for (int i = 1; i <= n; ++i) {
        t.current() = GroupRecord::newRecord();
        t.current().groupName.setText("skupina " + std::to_string(i));
        t.current().authorisedCount = i;
        t.append();
    }
    return t;
}

TEST(TSKUP, BrowseShowsTheFirstGroupAndNavigates) {
    GroupTable t = groupsNamed(3);
    GroupsWindow w(t);
    EXPECT_EQ(w.edit("Edit1")->text(), "skupina 1");
    EXPECT_EQ(w.edit("Edit2")->text(), "1");
    EXPECT_EQ(w.edit("Edit3")->text(), "0");
    EXPECT_EQ(w.position(), "1/3");
    EXPECT_FALSE(w.edit("Edit1")->isEnabled());
    EXPECT_FALSE(w.button("btHotovo")->isEnabled());
    EXPECT_FALSE(w.button("btPrerusit")->isEnabled());
    w.button("btLast")->click();
    EXPECT_EQ(w.edit("Edit1")->text(), "skupina 3");
    EXPECT_EQ(w.position(), "3/3");
    w.button("btNext")->click(); // fails on the last record, nothing changes
    EXPECT_EQ(w.position(), "3/3");
    w.button("btPrior")->click();
    EXPECT_EQ(w.edit("Edit1")->text(), "skupina 2");
}

TEST(TSKUP, ThirtyTwoGroupsDisableNewAlthoughFortyLoad) {
    GroupTable t31 = groupsNamed(31);
    EXPECT_TRUE(GroupsWindow(t31).button("btNovy")->isEnabled());
    GroupTable t32 = groupsNamed(32);
    EXPECT_FALSE(GroupsWindow(t32).button("btNovy")->isEnabled());

    test::TempDir dir;
    GroupTable forty = groupsNamed(40);
    ASSERT_TRUE(forty.save(dir / "QTR0004.DAT"));
    GroupTable loaded;
    ASSERT_TRUE(loaded.load(dir / "QTR0004.DAT"));
    GroupsWindow w(loaded);
    EXPECT_EQ(w.position(), "1/40");
    w.button("btLast")->click();
    EXPECT_EQ(w.edit("Edit1")->text(), "skupina 40");
    EXPECT_FALSE(w.button("btNovy")->isEnabled());
}

TEST(TSKUP, InsertAppendsAndUpdateReplaces) {
    GroupTable t = groupsNamed(2);
    GroupsWindow w(t);
    w.button("btNovy")->click();
    EXPECT_EQ(w.form.mode(), EditMode::Insert);
    EXPECT_EQ(w.edit("Edit1")->text(), "nová");
    EXPECT_EQ(w.edit("Edit2")->text(), "0");
    EXPECT_FALSE(w.button("btNovy")->isEnabled());
    EXPECT_FALSE(w.button("btFirst")->isEnabled());
    w.edit("Edit1")->setText("Sklad");
    w.edit("Edit2")->setText(" 12 ");
    w.edit("Edit3")->setText("-3");
    w.button("btHotovo")->click();
    ASSERT_EQ(t.count(), 3);
    EXPECT_EQ(t.at(3).groupName.text(), "Sklad");
    EXPECT_EQ(t.at(3).authorisedCount, 12);
    EXPECT_EQ(t.at(3).presentCount, -3);
    EXPECT_EQ(w.position(), "3/3");
    EXPECT_EQ(w.form.mode(), EditMode::Browse);

    w.button("btFirst")->click();
    w.button("btOpravit")->click();
    w.edit("Edit1")->setText(""); // not validated: an empty name is accepted
    w.button("btHotovo")->click();
    EXPECT_EQ(t.count(), 3);
    EXPECT_TRUE(t.at(1).groupName.empty());
}

TEST(TSKUP, ACountThatIsNoNumberIsRefusedNamingTheFieldAndTheEditStaysOpen) {
    GroupTable t = groupsNamed(1);
    GroupsWindow w(t);
    test::UiResponder responder;
    w.button("btOpravit")->click();
    w.edit("Edit1")->setText("změněno");
    w.edit("Edit3")->setText("12a");
    responder.expectMessage("„Přítomno“");
    w.button("btHotovo")->click();
    EXPECT_EQ(w.form.mode(), EditMode::Update);
    EXPECT_EQ(t.at(1).groupName.text(), "skupina 1");

    w.edit("Edit3")->setText("");
    w.edit("Edit2")->setText("99999999999");
    responder.expectMessage("„Oprávnění“");
    w.button("btHotovo")->click();
    EXPECT_EQ(w.form.mode(), EditMode::Update);
    EXPECT_EQ(t.at(1), groupsNamed(1).at(1));
}

TEST(TSKUP, CancellingANewGroupInAnEmptyTableShowsEmptyFields) {
    GroupTable t;
    GroupsWindow w(t);
    EXPECT_EQ(w.position(), "0/0");
    EXPECT_FALSE(w.button("btSmazat")->isEnabled());
    EXPECT_FALSE(w.button("btOpravit")->isEnabled());
    w.button("btNovy")->click();
    w.edit("Edit1")->setText("Nic");
    w.button("btPrerusit")->click();
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(w.edit("Edit1")->text(), "");
    EXPECT_EQ(w.edit("Edit2")->text(), "0");
    EXPECT_EQ(w.edit("Edit3")->text(), "0");
    EXPECT_EQ(w.form.mode(), EditMode::Browse);
}

TEST(TSKUP, DeleteAsksFirstAndShowsTheNextGroup) {
    GroupTable t = groupsNamed(3);
    GroupsWindow w(t);
    test::UiResponder responder;
    w.button("btNext")->click();
    responder.expectMessage("Skutečně smazat tento záznam?", MessageAnswer::Cancel);
    w.button("btSmazat")->click();
    EXPECT_EQ(t.count(), 3);
    responder.expectMessage("Skutečně smazat tento záznam?", MessageAnswer::Ok);
    w.button("btSmazat")->click();
    ASSERT_EQ(t.count(), 2);
    EXPECT_EQ(w.edit("Edit1")->text(), "skupina 3");
    EXPECT_EQ(w.position(), "2/2");
}

} // namespace
} // namespace qtr::setup
