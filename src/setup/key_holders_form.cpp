#include "setup/key_holders_form.h"

#include "db/configuration_database.h"
#include "db/key_holder_transfer.h"
#include "db/tables.h"
#include "setup/name_choice_panel.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_navigator.h"
#include "ui/ui_services.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>

namespace qtr::setup {

using ui::fromQ;
using ui::toQ;

namespace {

const QString kTransferFilter = QStringLiteral("Exportní soubor (*.sdf);;Všechny soubory (*)");
const QString kTransferProposed = QStringLiteral("klice.sdf");

QStringList namesOf(const std::vector<std::string>& names) {
    QStringList list;
    for (const auto& n : names) {
        list << toQ(n);
    }
    return list;
}

} // namespace

TKEYS::TKEYS(ConfigurationDatabase& db, KeyReading reading, std::filesystem::path registerFile,
             QWidget* parent)
    : TKEYS(db.keyHolders, db.groups, db.permissionGroups, std::move(reading),
            std::move(registerFile), parent) {}

TKEYS::TKEYS(KeyHolderTable& holders, const GroupTable& groups,
             const PermissionGroupTable& permissionGroups, KeyReading reading,
             std::filesystem::path registerFile, QWidget* parent)
    : RecordEditor(holders,
                   Options{.newRecordLimit = kHolderLimit,
                           .storeText = QStringLiteral("uložit"),
                           .storeName = QStringLiteral("btUlozit"),
                           .storeHint = QStringLiteral("uložit data")},
                   parent),
      holders_(holders), groups_(groups), permissionGroups_(permissionGroups),
      reading_(std::move(reading)), registerFile_(std::move(registerFile)) {
    setObjectName(QStringLiteral("TKEYS"));
    setWindowTitle(QStringLiteral("Databáze identifikačních klíčů"));
    setStyleSheet(editorStyleSheet());

    // The holder's record.
    auto* record = new QGroupBox(QStringLiteral("Záznam o nositeli identifikačního klíče"), this);
    EditCTM_ =
        makeEdit(QStringLiteral("EditCTM"),
                 QStringLiteral("číslo identifikačního klíče (14 šestnáctkových číslic)"), record);
    EditJMENO_ = makeEdit(QStringLiteral("EditJMENO"), QStringLiteral("jméno a příjmení"), record);
    EditJMENO_->setMaxLength(30);
    EditPRACOVISTE_ = makeEdit(QStringLiteral("EditPRACOVISTE"),
                               QStringLiteral("organizační skupina nositele klíče"), record);
    EditPRACOVISTE_->setMaxLength(17);
    EditOPRAVNENI_ = makeEdit(QStringLiteral("EditOPRAVNENI"),
                              QStringLiteral("skupina oprávnění vstupu"), record);
    EditOPRAVNENI_->setMaxLength(17);
    QFont mono = EditCTM_->font();
    mono.setFamily(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    EditCTM_->setFont(mono);
    EditCTM_->setMinimumWidth(QFontMetrics(mono).horizontalAdvance(QStringLiteral("0")) * 16 + 12);

    btCteniKlice_ = makeButton(QStringLiteral("Číst klíč"), QStringLiteral("btCteniKlice"),
                               QStringLiteral("přečtení identifikačního klíče"), record);
    btSkupiny_ = makeButton(QStringLiteral("..."), QStringLiteral("btSkupiny"),
                            QStringLiteral("výběr ze seznamu skupin"), record);
    btOpravneni_ = makeButton(QStringLiteral("..."), QStringLiteral("btOpravneni"),
                              QStringLiteral("výběr ze seznamu oprávnění"), record);
    btSkupiny_->setFixedWidth(32);
    btOpravneni_->setFixedWidth(32);

    auto* fields = new QGridLayout(record);
    fields->addWidget(makeRequiredLabel(QStringLiteral("Číslo klíče"), record), 0, 0);
    fields->addWidget(EditCTM_, 0, 1);
    fields->addWidget(btCteniKlice_, 0, 2);
    fields->addWidget(makeRequiredLabel(QStringLiteral("Jméno a příjmení"), record), 1, 0);
    fields->addWidget(EditJMENO_, 1, 1, 1, 2);
    fields->addWidget(makeLabel(QStringLiteral("Skupina zpracování"), record), 2, 0);
    fields->addWidget(EditPRACOVISTE_, 2, 1);
    fields->addWidget(btSkupiny_, 2, 2, Qt::AlignLeft);
    fields->addWidget(makeLabel(QStringLiteral("Oprávnění vstupu"), record), 3, 0);
    fields->addWidget(EditOPRAVNENI_, 3, 1);
    fields->addWidget(btOpravneni_, 3, 2, Qt::AlignLeft);
    fields->setColumnStretch(1, 1);
    fields->setColumnMinimumWidth(1, 260);

    btHledatKlic_ = makeButton(QStringLiteral("Číst a hledat klíč"), QStringLiteral("btHledatKlic"),
                               QStringLiteral("přečte klíč na čtečce a najde jeho nositele"), this);
    btExport_ = makeButton(QStringLiteral("Export"), QStringLiteral("btExport"),
                           QStringLiteral("export databáze"), this);
    btImport_ = makeButton(QStringLiteral("Import"), QStringLiteral("btImport"),
                           QStringLiteral("import databáze"), this);

    // The names register on the right.
    Edit1_ = makeEdit(QStringLiteral("Edit1"),
                      QStringLiteral("text pro rychlé hledání jména (třídit podle jména)"), this);
    Edit1_->setPlaceholderText(QStringLiteral("rychlé hledání jména"));
    ListBox1_ = new QListWidget(this);
    ListBox1_->setObjectName(QStringLiteral("ListBox1"));
    ListBox1_->setToolTip(QStringLiteral("klepnutím nastavíte záznam osoby"));
    ListBox1_->setMinimumWidth(230);
    auto* sortBox = new QGroupBox(QStringLiteral("Třídit podle"), this);
    sortBox->setObjectName(QStringLiteral("rgTrideni"));
    rbKlice_ = new QRadioButton(QStringLiteral("klíče"), sortBox);
    rbKlice_->setObjectName(QStringLiteral("rbKlice"));
    rbJmena_ = new QRadioButton(QStringLiteral("jména"), sortBox);
    rbJmena_->setObjectName(QStringLiteral("rbJmena"));
    sortChoice_ = new QButtonGroup(this);
    sortChoice_->addButton(rbKlice_, 0);
    sortChoice_->addButton(rbJmena_, 1);
    auto* sortRow = new QHBoxLayout(sortBox);
    sortRow->addWidget(rbKlice_);
    sortRow->addWidget(rbJmena_);

    QHBoxLayout* editRow = takeButtonRow();
    auto* toolsRow = new QHBoxLayout;
    toolsRow->addWidget(btHledatKlic_);
    toolsRow->addStretch(1);
    toolsRow->addWidget(btExport_);
    toolsRow->addWidget(btImport_);

    auto* left = new QVBoxLayout;
    left->addWidget(navigator(), 0, Qt::AlignLeft);
    left->addWidget(record);
    left->addLayout(editRow);
    left->addStretch(1);
    left->addLayout(toolsRow);

    auto* right = new QVBoxLayout;
    right->addWidget(makeLabel(QStringLiteral("Rejstřík jmen"), this));
    right->addWidget(Edit1_);
    right->addWidget(ListBox1_, 1);
    right->addWidget(sortBox);

    auto* box = new QHBoxLayout(this);
    box->addLayout(left, 3);
    box->addLayout(right, 2);

    pnSkupiny_ =
        new NameChoicePanel(QStringLiteral("Seznam skupin"), QStringLiteral("pnSkupiny"), this);
    pnOpravneni_ = new NameChoicePanel(QStringLiteral("Seznam oprávnění"),
                                       QStringLiteral("pnOpravneni"), this);

    connect(btCteniKlice_, &QPushButton::clicked, this, &TKEYS::btCteniKliceClick);
    connect(btHledatKlic_, &QPushButton::clicked, this, &TKEYS::btHledatKlicClick);
    connect(btExport_, &QPushButton::clicked, this, &TKEYS::btExportClick);
    connect(btImport_, &QPushButton::clicked, this, &TKEYS::btImportClick);
    connect(Edit1_, &QLineEdit::textChanged, this, &TKEYS::Edit1Change);
    connect(sortChoice_, &QButtonGroup::idClicked, this, &TKEYS::sortBy);
    connect(btSkupiny_, &QPushButton::clicked, this, [this] {
        std::vector<std::string> names;
        groups_.fillNameList(names);
        pnSkupiny_->setNames(namesOf(names));
        pnSkupiny_->openOver(ListBox1_); // the names list is idle while editing
    });
    connect(btOpravneni_, &QPushButton::clicked, this, [this] {
        std::vector<std::string> names;
        permissionGroups_.fillNameList(names);
        pnOpravneni_->setNames(namesOf(names));
        pnOpravneni_->openOver(ListBox1_);
    });
    connect(pnSkupiny_, &NameChoicePanel::chosen, EditPRACOVISTE_, &QLineEdit::setText);
    connect(pnOpravneni_, &NameChoicePanel::chosen, EditOPRAVNENI_, &QLineEdit::setText);

    setNamesRegister(ListBox1_, holders_);
    // An empty register shows the zero key and empty fields, never a leftover holder.
    openFirst();
}

void TKEYS::showRecord() {
    const KeyHolderRecord& h = holders_.current();
    EditCTM_->setText(toQ(h.keyNumber.text()));
    EditJMENO_->setText(toQ(h.holderName.text()));
    EditPRACOVISTE_->setText(toQ(h.groupName.text()));
    EditOPRAVNENI_->setText(toQ(h.permissionGroupName.text()));
}

void TKEYS::applyMode(EditMode mode) {
    const bool browse = mode == EditMode::Browse;
    btCteniKlice_->setEnabled(!browse);
    btSkupiny_->setEnabled(!browse && groups_.count() > 0);
    btOpravneni_->setEnabled(!browse && permissionGroups_.count() > 0);
    for (QWidget* w : std::initializer_list<QWidget*>{ListBox1_, Edit1_, rbKlice_, rbJmena_,
                                                      btHledatKlic_, btExport_, btImport_}) {
        w->setEnabled(browse);
    }
    for (auto* e : {EditCTM_, EditJMENO_, EditPRACOVISTE_, EditOPRAVNENI_}) {
        e->setReadOnly(browse);
    }
    if (browse) {
        pnSkupiny_->hide();
        pnOpravneni_->hide();
    } else {
        EditJMENO_->setFocus();
    }
}

bool TKEYS::keyRegistered(const KeyNumber& key, int except) const {
    for (int i = 1; i <= holders_.count(); ++i) {
        if (i != except && holders_.at(i).keyNumber == key) {
            return true;
        }
    }
    return false;
}

// "nový" shows the zero key and empty fields, though the new record is named "nový".
void TKEYS::showNewRecord() {
    EditCTM_->setText(toQ(KeyNumber{}.text()));
    EditJMENO_->clear();
    EditPRACOVISTE_->clear();
    EditOPRAVNENI_->clear();
}

bool TKEYS::readRecord() {
    const QString keyText = EditCTM_->text().trimmed();
    if (keyText.isEmpty() || EditJMENO_->text().trimmed().isEmpty()) {
        ui::messageOk(QStringLiteral("Červeně označené položky musíte vždy vyplnit!"), {}, u'E');
        return false;
    }
    if (!isWellFormedKeyText(fromQ(keyText))) {
        ui::messageOk(QStringLiteral("Číslo klíče „%1“ nelze uložit: smí obsahovat jen "
                                     "šestnáctkové číslice 0–9 a A–F, nejvýše 14.")
                          .arg(keyText),
                      {}, u'E');
        EditCTM_->setFocus();
        return false;
    }
    const KeyNumber key = KeyNumber::parse(fromQ(keyText));
    if (keyRegistered(key, ownPosition())) {
        ui::messageOk(QStringLiteral("Takový klíč je již registrován!"), {}, u'E');
        EditCTM_->setFocus();
        return false;
    }
    KeyHolderRecord& h = holders_.current();
    h.keyNumber = key;
    h.holderName.setText(fromQ(EditJMENO_->text()));
    h.groupName.setText(fromQ(EditPRACOVISTE_->text()));
    h.permissionGroupName.setText(fromQ(EditOPRAVNENI_->text()));
    return true;
}

void TKEYS::btCteniKliceClick() {
    if (!reading_.readKey) {
        return;
    }
    const std::optional<KeyNumber> key = reading_.readKey();
    if (!key) {
        return;
    }
    if (reading_.masterKey && *key == *reading_.masterKey) {
        ui::messageOk(QStringLiteral("Tento klíč nelze přihlásit!"), {}, u'E');
        return;
    }
    if (keyRegistered(*key, ownPosition())) {
        ui::messageOk(QStringLiteral("Takový klíč je již registrován!"), {}, u'E');
        return;
    }
    EditCTM_->setText(toQ(key->text()));
}

void TKEYS::btHledatKlicClick() {
    if (!reading_.readKey) {
        return;
    }
    const std::optional<KeyNumber> key = reading_.readKey();
    if (!key) {
        return;
    }
    const int i = holders_.findByKey(*key);
    const QString text = toQ(key->text());
    if (i != 0) {
        ui::messageOk(QStringLiteral("Klíč: ") + text + QStringLiteral("\nPro:  ") +
                          toQ(holders_.at(i).holderName.text()),
                      {}, u'I');
    } else {
        ui::messageOk(text + QStringLiteral("\nnenalezeno!"), {}, u'I');
    }
}

void TKEYS::Edit1Change(const QString& text) {
    if (mode() != EditMode::Browse || text.isEmpty() || holders_.count() == 0) {
        return;
    }
    holders_.selectByNamePrefix(fromQ(text));
    // The holder found becomes the current position too, so that "opravit"
    // changes the holder on the screen and not the one that was current before.
    for (int i = 1; i <= holders_.count(); ++i) {
        if (holders_.at(i) == holders_.current()) {
            holders_.select(i);
            break;
        }
    }
    display();
}

void TKEYS::sortBy(int order) {
    holders_.sort(order == 0 ? KeyHolderOrder::ByKey : KeyHolderOrder::ByName);
    refillNames();
    holders_.first();
    display();
    setMode(EditMode::Browse);
}

void TKEYS::btExportClick() {
    const auto file = ui::dialogProvider().saveFileName(this, QStringLiteral("Export databáze"),
                                                        kTransferProposed, kTransferFilter);
    if (!file) {
        return;
    }
    if (FileResult r = exportKeyHolders(holders_, std::filesystem::path(file->toStdWString()));
        !r) {
        ui::messageOk(toQ(r.error()), {}, u'E');
    }
}

void TKEYS::btImportClick() {
    const auto file = ui::dialogProvider().openFileName(this, QStringLiteral("Import databáze"),
                                                        kTransferProposed, kTransferFilter);
    if (!file) {
        return;
    }
    // The whole file is read and checked before anything is asked or changed.
    KeyHolderTransferFile content;
    if (FileResult r =
            readKeyHolderTransferFile(std::filesystem::path(file->toStdWString()), content);
        !r) {
        ui::messageOk(toQ(r.error()), {}, u'E');
        return;
    }
    const bool replace = ui::messageYesNo(QStringLiteral("Smazat původní záznamy?"), {}, u'Q',
                                          ui::MessageAnswer::No) == ui::MessageAnswer::Yes;
    if (replace) {
        if (FileResult r = keepRegisterBeforeReplace(registerFile_); !r) {
            ui::messageOk(toQ(r.error()), {}, u'E');
            return;
        }
    }
    const KeyHolderImport r = importKeyHolders(holders_, content, replace);
    openFirst();
    ui::messageOk(toQ(keyHolderImportReport(r)), {}, u'I');
}

} // namespace qtr::setup
