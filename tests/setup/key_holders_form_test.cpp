#include "base/win1250.h"
#include "db/key_holder_transfer.h"
#include "db/tables.h"
#include "setup/key_holders_form.h"
#include "setup/key_picker_dialog.h"
#include "setup/name_choice_panel.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>

namespace qtr::setup {
namespace {

using ui::MessageAnswer;

KeyHolderRecord holder(std::string_view key, std::string_view name) {
    KeyHolderRecord h = KeyHolderRecord::newRecord();
    h.keyNumber = KeyNumber::parse(key);
    h.holderName.setText(name);
    return h;
}

void add(KeyHolderTable& t, const KeyHolderRecord& h) {
    t.current() = h;
    t.append();
}

// Keys "presented at the reader", one per read; an empty queue reads nothing.
struct ScriptedReader {
    std::deque<std::optional<KeyNumber>> keys;
    int reads = 0;
    KeyReader reader() {
        return [this]() -> std::optional<KeyNumber> {
            ++reads;
            if (keys.empty()) {
                return std::nullopt;
            }
            auto k = keys.front();
            keys.pop_front();
            return k;
        };
    }
};

const KeyNumber kMaster = KeyNumber::parse("0100000000ABCD");

struct Register {
    test::TempDir dir; // holds the register file QTR0002.DAT
    KeyHolderTable holders;
    GroupTable groups;
    PermissionGroupTable permissions;
    ScriptedReader reader;
    std::unique_ptr<TKEYS> form;

    void open() {
        form = std::make_unique<TKEYS>(holders, groups, permissions,
                                       KeyReading{reader.reader(), kMaster}, dir / "QTR0002.DAT");
    }
    QLineEdit* edit(const char* name) { return form->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return form->findChild<QPushButton*>(name); }
    QListWidget* names() { return form->findChild<QListWidget*>("ListBox1"); }
    QString position() { return form->findChild<QLabel*>("laPos")->text(); }
    QString key() { return edit("EditCTM")->text(); }
    QString name() { return edit("EditJMENO")->text(); }
};

struct Staff : Register {
    Staff() {
        add(holders, holder("00000000000011", "Novák Jan"));
        add(holders, holder("00000000000022", "Černá Eva"));
        add(holders, holder("00000000000033", "Zelený Petr"));
        open();
    }
};

TEST(TKEYS, OpeningFillsTheNamesAndShowsTheFirstHolder) {
    Staff r;
    ASSERT_EQ(r.names()->count(), 3);
    EXPECT_EQ(r.names()->item(1)->text(), "Černá Eva");
    EXPECT_EQ(r.key(), "00000000000011");
    EXPECT_EQ(r.name(), "Novák Jan");
    EXPECT_EQ(r.position(), "1/3");
    // Browse mode.
    EXPECT_TRUE(r.button("btNovy")->isEnabled());
    EXPECT_TRUE(r.button("btOpravit")->isEnabled());
    EXPECT_TRUE(r.button("btHledatKlic")->isEnabled());
    EXPECT_TRUE(r.button("btImport")->isEnabled());
    EXPECT_FALSE(r.button("btUlozit")->isEnabled());
    EXPECT_FALSE(r.button("btPrerusit")->isEnabled());
    EXPECT_FALSE(r.button("btCteniKlice")->isEnabled());
    EXPECT_FALSE(r.button("btSkupiny")->isEnabled());
    EXPECT_TRUE(r.edit("EditJMENO")->isReadOnly());

    r.button("btNovy")->click();
    EXPECT_EQ(r.form->mode(), EditMode::Insert);
    EXPECT_EQ(r.key(), "00000000000000");
    EXPECT_EQ(r.name(), "");
    EXPECT_FALSE(r.names()->isEnabled());
    EXPECT_FALSE(r.edit("Edit1")->isEnabled());
    EXPECT_FALSE(r.button("btHledatKlic")->isEnabled());
    EXPECT_FALSE(r.button("btExport")->isEnabled());
    EXPECT_FALSE(r.button("btFirst")->isEnabled());
    EXPECT_TRUE(r.button("btCteniKlice")->isEnabled());
    EXPECT_TRUE(r.button("btUlozit")->isEnabled());
    // No groups and no permission groups: nothing to choose from.
    EXPECT_FALSE(r.button("btSkupiny")->isEnabled());
    EXPECT_FALSE(r.button("btOpravneni")->isEnabled());
    EXPECT_FALSE(r.edit("EditJMENO")->isReadOnly());
}

TEST(TKEYS, AnEmptyRegisterShowsTheZeroKey) {
    Register r;
    r.open();
    EXPECT_EQ(r.key(), "00000000000000");
    EXPECT_EQ(r.name(), "");
    EXPECT_EQ(r.position(), "0/0");
    EXPECT_FALSE(r.button("btSmazat")->isEnabled());
    EXPECT_FALSE(r.button("btOpravit")->isEnabled());
}

TEST(TKEYS, TheZeroKeyIsSavedOnceAndRefusedTheSecondTime) {
    Register r;
    r.open();
    test::UiResponder responder;
    r.button("btNovy")->click();
    r.edit("EditJMENO")->setText("Host bez klíče");
    r.button("btUlozit")->click();
    ASSERT_EQ(r.holders.count(), 1);
    EXPECT_TRUE(r.holders.at(1).keyNumber.isZero());
    EXPECT_EQ(r.holders.at(1).kindCode, ' ');
    EXPECT_EQ(r.position(), "1/1");
    EXPECT_EQ(r.names()->count(), 1);

    r.button("btNovy")->click();
    r.edit("EditJMENO")->setText("Druhý host");
    responder.expectMessage("Takový klíč je již registrován!");
    r.button("btUlozit")->click();
    EXPECT_EQ(r.holders.count(), 1);
    EXPECT_EQ(r.form->mode(), EditMode::Insert);
    EXPECT_EQ(r.name(), "Druhý host");
}

TEST(TKEYS, SavingAHolderWithItsOwnKeySucceedsButNotWithAnothersKey) {
    Staff r;
    test::UiResponder responder;
    r.button("btNext")->click();
    r.button("btOpravit")->click();
    r.edit("EditJMENO")->setText("Černá-Malá Eva");
    r.button("btUlozit")->click();
    EXPECT_EQ(r.form->mode(), EditMode::Browse);
    EXPECT_EQ(r.holders.at(2).holderName.text(), "Černá-Malá Eva");
    EXPECT_EQ(r.names()->item(1)->text(), "Černá-Malá Eva");

    r.button("btOpravit")->click();
    r.edit("EditCTM")->setText("00000000000033");
    responder.expectMessage("Takový klíč je již registrován!");
    r.button("btUlozit")->click();
    EXPECT_EQ(r.form->mode(), EditMode::Update);
    r.button("btPrerusit")->click();
    EXPECT_EQ(r.key(), "00000000000022");
}

TEST(TKEYS, EditingKeepsTheFieldsTheWindowDoesNotShow) {
    KeyHolderRecord h = holder("00000000000011", "Novák Jan");
    h.rosterName.setText("Ranní");
    h.kindCode = 'K';
    h.extraText1.setText("doplněk");
    h.lastState = 3;
    Register r;
    add(r.holders, h);
    r.open();
    r.button("btOpravit")->click();
    r.edit("EditPRACOVISTE")->setText("Sklad");
    r.button("btUlozit")->click();
    KeyHolderRecord expected = h;
    expected.groupName.setText("Sklad");
    expected.permissionGroupName.setText("");
    EXPECT_EQ(r.holders.at(1), expected);
}

TEST(TKEYS, ATypedKeyMustBeAtMostFourteenHexDigits) {
    Register r;
    r.open();
    test::UiResponder responder;
    r.button("btNovy")->click();
    r.edit("EditJMENO")->setText("Pokus");
    for (const char* bad : {"12G4", "0000 0000", "000000000000001", "ABCDEFx"}) {
        r.edit("EditCTM")->setText(bad);
        responder.expectMessage("šestnáctkové číslice");
        r.button("btUlozit")->click();
        EXPECT_EQ(r.form->mode(), EditMode::Insert) << bad;
        EXPECT_EQ(r.holders.count(), 0) << bad;
    }
    r.edit("EditCTM")->setText("0102030405060a");
    r.button("btUlozit")->click();
    ASSERT_EQ(r.holders.count(), 1);
    EXPECT_EQ(r.holders.at(1).keyNumber.text(), "0102030405060A");
    EXPECT_EQ(r.key(), "0102030405060A");
}

TEST(TKEYS, KeyAndNameAreRequired) {
    Register r;
    r.open();
    test::UiResponder responder;
    r.button("btNovy")->click();
    responder.expectMessage("Červeně označené položky musíte vždy vyplnit!");
    r.button("btUlozit")->click();
    r.edit("EditJMENO")->setText("Jméno");
    r.edit("EditCTM")->setText("");
    responder.expectMessage("Červeně označené položky musíte vždy vyplnit!");
    r.button("btUlozit")->click();
    EXPECT_EQ(r.holders.count(), 0);
    EXPECT_EQ(r.form->mode(), EditMode::Insert);
}

TEST(TKEYS, AKeyReadAtTheReaderRefusesTheMasterKeyAndRegisteredKeys) {
    Staff r;
    test::UiResponder responder;
    r.button("btOpravit")->click(); // holder 1, key ...11

    r.button("btCteniKlice")->click(); // nothing presented: silent
    EXPECT_EQ(r.reader.reads, 1);
    EXPECT_EQ(r.key(), "00000000000011");

    r.reader.keys.push_back(kMaster);
    responder.expectMessage("Tento klíč nelze přihlásit!");
    r.button("btCteniKlice")->click();
    EXPECT_EQ(r.key(), "00000000000011");

    r.reader.keys.push_back(KeyNumber::parse("00000000000022"));
    responder.expectMessage("Takový klíč je již registrován!");
    r.button("btCteniKlice")->click();
    EXPECT_EQ(r.key(), "00000000000011");

    // Its own key is no conflict in update mode...
    r.reader.keys.push_back(KeyNumber::parse("00000000000011"));
    r.button("btCteniKlice")->click();
    EXPECT_EQ(r.key(), "00000000000011");
    r.reader.keys.push_back(KeyNumber::parse("0A0B0C0D0E0F01"));
    r.button("btCteniKlice")->click();
    EXPECT_EQ(r.key(), "0A0B0C0D0E0F01");
    r.button("btPrerusit")->click();
    EXPECT_EQ(r.holders.at(1).keyNumber.text(), "00000000000011");

    // ...but in insert mode any holder's key is.
    r.button("btNovy")->click();
    r.reader.keys.push_back(KeyNumber::parse("00000000000011"));
    responder.expectMessage("Takový klíč je již registrován!");
    r.button("btCteniKlice")->click();
    EXPECT_EQ(r.key(), "00000000000000");
}

TEST(TKEYS, ReadAndFindShowsTheHolderOrNotFoundAndChangesNothing) {
    Staff r;
    test::UiResponder responder;
    r.reader.keys.push_back(KeyNumber::parse("00000000000033"));
    responder.expectMessage("Klíč: 00000000000033\nPro:  Zelený Petr");
    r.button("btHledatKlic")->click();
    r.reader.keys.push_back(KeyNumber::parse("00000000000099"));
    responder.expectMessage("00000000000099\nnenalezeno!");
    r.button("btHledatKlic")->click();
    ASSERT_EQ(responder.shown().size(), 2u);
    EXPECT_EQ(responder.shown()[0].caption, ui::kApplicationTitle);
    EXPECT_EQ(responder.shown()[0].buttons, ui::MessageButtons::Ok);
    EXPECT_EQ(r.name(), "Novák Jan");
    EXPECT_EQ(r.holders.current().holderName.text(), "Novák Jan");
    EXPECT_EQ(r.position(), "1/3");
}

TEST(TKEYS, QuickSearchShowsTheHolderFoundAndEditsThatHolder) {
    Staff r;
    r.edit("Edit1")->setText("Zel");
    EXPECT_EQ(r.name(), "Zelený Petr");
    EXPECT_EQ(r.position(), "3/3");
    // A text that matches no name shows the first holder.
    r.edit("Edit1")->setText("Xaver");
    EXPECT_EQ(r.name(), "Novák Jan");
    // The prefix is shortened until it matches.
    r.edit("Edit1")->setText("Černý");
    EXPECT_EQ(r.name(), "Černá Eva");

    r.button("btOpravit")->click();
    r.edit("EditJMENO")->setText("Černá Eva ml.");
    r.button("btUlozit")->click();
    EXPECT_EQ(r.holders.at(1).holderName.text(), "Novák Jan");
    EXPECT_EQ(r.holders.at(2).holderName.text(), "Černá Eva ml.");
}

TEST(TKEYS, ClickingANameAndSortingByName) {
    Staff r;
    QTest::mouseClick(r.names()->viewport(), Qt::LeftButton, {},
                      r.names()->visualItemRect(r.names()->item(2)).center());
    EXPECT_EQ(r.name(), "Zelený Petr");
    EXPECT_EQ(r.position(), "3/3");

    r.form->findChild<QRadioButton*>("rbJmena")->click();
    // Windows-1250 codes, no national collation: "Z" before "Č".
    EXPECT_EQ(r.holders.at(1).holderName.text(), "Novák Jan");
    EXPECT_EQ(r.holders.at(2).holderName.text(), "Zelený Petr");
    EXPECT_EQ(r.holders.at(3).holderName.text(), "Černá Eva");
    EXPECT_EQ(r.names()->item(2)->text(), "Černá Eva");
    EXPECT_EQ(r.position(), "1/3");

    r.form->findChild<QRadioButton*>("rbKlice")->click();
    EXPECT_EQ(r.holders.at(3).holderName.text(), "Zelený Petr");
}

TEST(TKEYS, DeleteAsksAndRefillsTheNames) {
    Staff r;
    test::UiResponder responder;
    r.button("btNext")->click();
    responder.expectMessage("Skutečně smazat tento záznam?", MessageAnswer::Ok);
    r.button("btSmazat")->click();
    ASSERT_EQ(r.holders.count(), 2);
    EXPECT_EQ(r.names()->count(), 2);
    EXPECT_EQ(r.name(), "Zelený Petr");
    EXPECT_EQ(r.position(), "2/2");
    EXPECT_EQ(responder.shown().back().buttons, ui::MessageButtons::OkCancel);
}

TEST(TKEYS, GroupAndPermissionChoicePanels) {
    Staff r;
    r.groups.current() = GroupRecord::newRecord();
    r.groups.current().groupName.setText("Výroba");
    r.groups.append();
    r.groups.current().groupName.setText("Sklad");
    r.groups.append();
    r.open();
    r.button("btOpravit")->click();
    ASSERT_TRUE(r.button("btSkupiny")->isEnabled());
    EXPECT_FALSE(r.button("btOpravneni")->isEnabled());
    r.form->show();
    r.button("btSkupiny")->click();
    auto* panel = r.form->findChild<NameChoicePanel*>("pnSkupiny");
    ASSERT_TRUE(panel->isVisible());
    ASSERT_EQ(panel->list()->count(), 2);
    QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {},
                      panel->list()->visualItemRect(panel->list()->item(1)).center());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(r.edit("EditPRACOVISTE")->text(), "Sklad");
    r.button("btSkupiny")->click();
    panel->clearButton()->click();
    EXPECT_EQ(r.edit("EditPRACOVISTE")->text(), "");
    r.button("btSkupiny")->click();
    r.edit("EditPRACOVISTE")->setText("Ruční");
    panel->closeButton()->click();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(r.edit("EditPRACOVISTE")->text(), "Ruční");
    r.button("btUlozit")->click();
    EXPECT_EQ(r.holders.at(1).groupName.text(), "Ruční");
}

std::string line(std::string_view key, std::string_view name) {
    std::string l(key);
    l += utf8ToWin1250(name);
    l.resize(130, ' ');
    return l + "#\r\n";
}

TEST(TKEYS, ImportIntoNinetyFiveHundredAndFiveStopsAtAThousand) {
    test::TempDir dir;
    std::string text;
    for (int i = 0; i < 10; ++i) {
        text += line("000000000001" + std::to_string(10 + i), "Nový " + std::to_string(i));
    }
    text += std::string(130, 'x') + "\r\n"; // 130 characters: skipped
    test::writeBytes(dir / "klice.sdf", std::vector<std::uint8_t>(text.begin(), text.end()));

    Register r;
    for (int i = 0; i < 995; ++i) {
        add(r.holders, holder("0", "Stávající " + std::to_string(i)));
    }
    r.open();
    test::UiResponder responder;
    responder.expectOpenFile(QString::fromStdString((dir / "klice.sdf").string()));
    responder.expectMessage("Smazat původní záznamy?", MessageAnswer::No);
    responder.expectMessage("Načteno 5 záznamů, přeskočeno 6 řádků");
    r.button("btImport")->click();
    EXPECT_EQ(r.holders.count(), 1000);
    EXPECT_EQ(r.names()->count(), 1000);
    EXPECT_EQ(r.position(), "1/1000");
    EXPECT_EQ(r.holders.at(1000).holderName.text(), "Nový 4");
    EXPECT_FALSE(r.button("btNovy")->isEnabled());
    // "Ano" would empty the register: Enter answers "Ne".
    const ui::MessageRequest& question = responder.shown().at(0);
    EXPECT_EQ(question.buttons, ui::MessageButtons::YesNo);
    EXPECT_EQ(question.defaultAnswer, MessageAnswer::No);
    EXPECT_FALSE(std::filesystem::exists(r.dir / "QTR0002.DAT.bak")); // nothing replaced
}

TEST(TKEYS, ExportThenImportWithReplaceReproducesTheRegister) {
    test::TempDir dir;
    const QString file = QString::fromStdString((dir / "klice.sdf").string());
    Register r;
    KeyHolderRecord a = holder("0102030405060A", "Řehoř Šťastný");
    a.groupName.setText("Údržba");
    a.permissionGroupName.setText("Vše");
    a.rosterName.setText("Noční");
    a.kindCode = 'Z';
    a.extraText1.setText("první doplněk");
    a.extraText2.setText("druhý doplněk");
    add(r.holders, a);
    add(r.holders, holder("00000000000000", "Bez klíče"));
    r.open();
    test::UiResponder responder;
    responder.expectSaveFile(file);
    r.button("btExport")->click();
    EXPECT_EQ(test::readText(dir / "klice.sdf").size(), 2u * 133u);

    responder.expectSaveFile(std::nullopt); // cancelled: nothing is written
    r.button("btExport")->click();

    // The register file as saved before: kept beside it when the import replaces it.
    add(r.holders, holder("77", "Navíc"));
    ASSERT_TRUE(r.holders.save(r.dir / "QTR0002.DAT"));
    const auto before = test::readBytes(r.dir / "QTR0002.DAT");
    responder.expectOpenFile(file);
    responder.expectMessage("Smazat původní záznamy?", MessageAnswer::Yes);
    responder.expectMessage("Načteno 2 záznamů, přeskočeno 0 řádků");
    r.button("btImport")->click();
    EXPECT_EQ(test::readBytes(r.dir / "QTR0002.DAT.bak"), before);
    ASSERT_EQ(r.holders.count(), 2);
    const KeyHolderRecord& b = r.holders.at(1);
    EXPECT_EQ(b.keyNumber, a.keyNumber);
    EXPECT_EQ(b.holderName.text(), "Řehoř Šťastný");
    EXPECT_EQ(b.groupName.text(), "Údržba");
    EXPECT_EQ(b.permissionGroupName.text(), "Vše");
    EXPECT_EQ(b.rosterName.text(), "Noční");
    EXPECT_EQ(b.kindCode, 'Z');
    EXPECT_EQ(b.extraText1.text(), "první doplněk");
    EXPECT_EQ(b.extraText2.text(), "druhý doplněk");
    EXPECT_EQ(r.name(), "Řehoř Šťastný");

    responder.expectOpenFile(std::nullopt); // cancelled: no question, nothing changes
    r.button("btImport")->click();
    EXPECT_EQ(r.holders.count(), 2);
}

// A file that cannot be used as a whole is reported before anything is asked, and the
// register stays as it was: a bad key in line 3, or no usable line at all.
TEST(TKEYS, AnUnusableFileIsReportedAndTheRegisterStays) {
    test::TempDir dir;
    const std::string faulty = line("00000000000001", "První") + line("00000000000002", "Druhý") +
                               line("0000000000000Q", "Vadný") + line("00000000000004", "Čtvrtý");
    const std::string shortLines = std::string(130, 'x') + "\r\n" + std::string(132, 'y');
    for (const auto& [text, message] :
         {std::pair{faulty, "řádek 3: v prvních 14 znacích není číslo klíče"},
          {shortLines, "není v něm žádný řádek exportního souboru"}}) {
        test::writeBytes(dir / "vadny.sdf", std::vector<std::uint8_t>(text.begin(), text.end()));
        Staff r;
        test::UiResponder responder;
        responder.expectOpenFile(QString::fromStdString((dir / "vadny.sdf").string()));
        responder.expectMessage(QString::fromUtf8(message));
        r.button("btImport")->click();
        ASSERT_EQ(r.holders.count(), 3) << message;
        EXPECT_EQ(r.names()->count(), 3) << message;
        EXPECT_TRUE(responder.shown().back().text.endsWith("Nic nebylo načteno.")) << message;
    }
}

TEST(TSELK1, SortsByNameAndOffersTheKeyOfAnExactName) {
    KeyHolderTable t;
    add(t, holder("00000000000011", "Novák Jan"));
    add(t, holder("00000000000022", "Černá Eva"));
    add(t, holder("00000000000033", "Adam Petr"));
    TSELK1 picker(t);
    picker.show();
    EXPECT_EQ(t.at(1).holderName.text(), "Adam Petr");
    EXPECT_EQ(t.at(3).holderName.text(), "Černá Eva");
    EXPECT_EQ(picker.findChild<QLabel*>("laPocet")->text(), "Rejstřík klíčů: 3");
    auto* list = picker.findChild<QListWidget*>("ListBox1");
    auto* name = picker.findChild<QLineEdit*>("edJmeno");
    auto* key = picker.findChild<QLineEdit*>("edKlic");
    auto* use = picker.findChild<QPushButton*>("btPouzit");
    EXPECT_EQ(name->text(), "");
    EXPECT_FALSE(use->isEnabled());

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(name->text(), "Novák Jan");
    EXPECT_EQ(key->text(), "00000000000011");
    EXPECT_TRUE(use->isEnabled());
    name->setText("Novák");
    EXPECT_EQ(key->text(), "");
    EXPECT_FALSE(use->isEnabled());
    name->setText("Černá Eva");
    use->click();
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.chosenKey().text(), "00000000000022");
    EXPECT_EQ(t.current().holderName.text(), "Černá Eva");
}

} // namespace
} // namespace qtr::setup
