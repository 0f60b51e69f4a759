#include "app/accounts_window.h"

#include "base/file_io.h"
#include "ui/message_routines.h"
#include "ui/named_button.h"
#include "ui/qt_text.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

TCPM::TCPM(std::filesystem::path accountFile, const KeyNumber& masterKey, bool serviceMode,
           RandomSource& random, QWidget* parent)
    : QDialog(parent), file_(std::move(accountFile)), key_(scramblingKeyOf(masterKey)),
      random_(random) {
    setObjectName(QStringLiteral("TCPM"));
    setWindowTitle(QStringLiteral("Oprávnění"));

    ListBox1_ = new QListWidget(this);
    ListBox1_->setObjectName(QStringLiteral("ListBox1"));
    ListBox1_->setMinimumHeight(170);
    laPozice_ = new QLabel(this);
    laPozice_->setObjectName(QStringLiteral("laPozice"));
    Label4_ = new QLabel(this);
    Label4_->setObjectName(QStringLiteral("Label4"));
    Label4_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (serviceMode) {
        Label4_->setText(ui::toQ(masterKey.text()));
    }
    Label4_->setVisible(serviceMode);

    edJmeno_ = new QLineEdit(this);
    edJmeno_->setObjectName(QStringLiteral("edJmeno"));
    edJmeno_->setMaxLength(36);
    edHeslo_ = new QLineEdit(this);
    edHeslo_->setObjectName(QStringLiteral("edHeslo"));
    edHeslo_->setMaxLength(35);

    btNovy_ = ui::namedButton(QStringLiteral("nový"), "btNovy", this);
    btOpravit_ = ui::namedButton(QStringLiteral("opravit"), "btOpravit", this);
    btSmazat_ = ui::namedButton(QStringLiteral("smazat"), "btSmazat", this);
    btHotovo_ = ui::namedButton(QStringLiteral("hotovo"), "btHotovo", this);
    btZpet_ = ui::namedButton(QStringLiteral("zpět"), "btZpet", this);
    btPouzit_ = ui::namedButton(QStringLiteral("použít"), "btPouzit", this);
    btPouzit_->setToolTip(QStringLiteral("potvrdí případné změny"));
    btZrusit_ = ui::namedButton(QStringLiteral("zrušit"), "btZrusit", this);
    btZrusit_->setToolTip(QStringLiteral("přeruší opraci"));

    connect(btNovy_, &QPushButton::clicked, this, &TCPM::btNovyClick);
    connect(btOpravit_, &QPushButton::clicked, this, &TCPM::btOpravitClick);
    connect(btSmazat_, &QPushButton::clicked, this, &TCPM::btSmazatClick);
    connect(btHotovo_, &QPushButton::clicked, this, &TCPM::btHotovoClick);
    connect(btZpet_, &QPushButton::clicked, this, &TCPM::btZpetClick);
    connect(btPouzit_, &QPushButton::clicked, this, &TCPM::btPouzitClick);
    connect(btZrusit_, &QPushButton::clicked, this, &QDialog::reject);
    // A line is chosen by a click or the arrow keys (which select it). The current row
    // alone is no choice: the list makes its first line current when it gets the focus.
    connect(ListBox1_, &QListWidget::itemSelectionChanged, this, [this] {
        const auto chosen = ListBox1_->selectedItems();
        if (mode_ == Mode::Browse && !chosen.isEmpty()) {
            selectAccount(ListBox1_->row(chosen.first()) + 1);
        }
    });
    connect(edJmeno_, &QLineEdit::textChanged, this, &TCPM::editChanged);
    connect(edHeslo_, &QLineEdit::textChanged, this, &TCPM::editChanged);

    auto* header = new QHBoxLayout;
    header->addWidget(new QLabel(QStringLiteral("Uživatelé:"), this));
    header->addStretch();
    header->addWidget(laPozice_);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Jméno:"), edJmeno_);
    form->addRow(QStringLiteral("Heslo:"), edHeslo_);

    auto* editButtons = new QGridLayout;
    editButtons->addWidget(btNovy_, 0, 0);
    editButtons->addWidget(btOpravit_, 0, 1);
    editButtons->addWidget(btSmazat_, 0, 2);
    editButtons->addWidget(btHotovo_, 1, 0);
    editButtons->addWidget(btZpet_, 1, 1);

    auto* closing = new QHBoxLayout;
    closing->addWidget(Label4_);
    closing->addStretch();
    closing->addWidget(btPouzit_);
    closing->addWidget(btZrusit_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(ListBox1_);
    layout->addLayout(form);
    layout->addLayout(editButtons);
    layout->addSpacing(8);
    layout->addLayout(closing);
    resize(380, 440);

    if (FileResult r = loadAccountFile(file_, key_, random_, accounts_); !r) {
        loadFailed_ = true;
        accounts_ = emptyAccounts(random_);
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
    refreshList();
    setMode(Mode::Browse);
}

TCPM::~TCPM() {
    // The accounts do not outlive the window in memory.
    accounts_ = emptyAccounts(random_);
    savedCopy_.reset();
}

AccountSlot& TCPM::editedSlot() {
    const int index = mode_ == Mode::Insert ? accounts_.count : selected_ - 1;
    return accounts_.accountSlots[static_cast<std::size_t>(index)];
}

void TCPM::refreshList() {
    ListBox1_->blockSignals(true);
    ListBox1_->clear();
    for (std::size_t i = 0; i < accounts_.count; ++i) {
        ListBox1_->addItem(ui::toQ(accounts_.accountSlots[i].userName.text()));
    }
    if (selected_ > accounts_.count) {
        selected_ = accounts_.count;
    }
    ListBox1_->setCurrentRow(selected_ - 1);
    ListBox1_->blockSignals(false);
    laPozice_->setText(QStringLiteral("%1/%2").arg(selected_).arg(accounts_.count));
    if (mode_ == Mode::Browse) {
        edJmeno_->setText(
            selected_ > 0 ? ui::toQ(accounts_.accountSlots[static_cast<std::size_t>(selected_ - 1)]
                                        .userName.text())
                          : QString());
        edHeslo_->clear();
    }
}

void TCPM::refreshButtons() {
    const bool browse = mode_ == Mode::Browse;
    ListBox1_->setEnabled(browse);
    edJmeno_->setReadOnly(browse);
    edHeslo_->setReadOnly(browse);
    edHeslo_->setPlaceholderText(browse ? QString() : QStringLiteral("nejméně 7 znaků"));
    btNovy_->setEnabled(browse && accounts_.count < kAccountSlotCount);
    btOpravit_->setEnabled(browse && selected_ > 0);
    btSmazat_->setEnabled(browse && selected_ > 0);
    btPouzit_->setEnabled(browse);
    btZpet_->setEnabled(!browse);
    btHotovo_->setEnabled(!browse && edJmeno_->text().size() >= 1 &&
                          static_cast<std::size_t>(edHeslo_->text().size()) >= kMinPasswordLength);
}

void TCPM::setMode(Mode mode) {
    mode_ = mode;
    refreshButtons();
}

void TCPM::selectAccount(int position) {
    if (mode_ != Mode::Browse || position < 1 || position > accounts_.count) {
        return;
    }
    selected_ = position;
    refreshList();
    refreshButtons();
}

void TCPM::btNovyClick() {
    if (mode_ != Mode::Browse || accounts_.count >= kAccountSlotCount) {
        return;
    }
    randomiseSlot(accounts_.accountSlots[accounts_.count], random_);
    edJmeno_->clear();
    edHeslo_->clear();
    setMode(Mode::Insert);
    edJmeno_->setFocus();
}

void TCPM::btOpravitClick() {
    if (mode_ != Mode::Browse || selected_ < 1) {
        return;
    }
    savedCopy_ = accounts_.accountSlots[static_cast<std::size_t>(selected_ - 1)];
    const AccountSlot& slot = *savedCopy_;
    edJmeno_->setText(ui::toQ(slot.userName.text()));
    edHeslo_->setText(ui::toQ(slot.password.text()));
    setMode(Mode::Update);
    edJmeno_->setFocus();
}

void TCPM::editChanged() {
    if (mode_ == Mode::Browse) {
        return;
    }
    AccountSlot& slot = editedSlot();
    const QString name = edJmeno_->text();
    const QString password = edHeslo_->text();
    if (name.size() >= 1) {
        slot.userName.setText(ui::fromQ(name.left(36)));
    }
    if (static_cast<std::size_t>(password.size()) >= kMinPasswordLength) {
        slot.password.setText(ui::fromQ(password.left(35)));
    }
    refreshButtons();
}

void TCPM::btHotovoClick() {
    if (!btHotovo_->isEnabled()) {
        return;
    }
    if (mode_ == Mode::Insert) {
        ++accounts_.count;
        selected_ = accounts_.count;
    }
    savedCopy_.reset();
    mode_ = Mode::Browse;
    refreshList();
    refreshButtons();
}

void TCPM::btZpetClick() {
    if (mode_ == Mode::Update && savedCopy_) {
        accounts_.accountSlots[static_cast<std::size_t>(selected_ - 1)] = *savedCopy_;
    } else if (mode_ == Mode::Insert) {
        // What was typed into the unused slot must not reach the file.
        randomiseSlot(accounts_.accountSlots[accounts_.count], random_);
    }
    savedCopy_.reset();
    mode_ = Mode::Browse;
    refreshList();
    refreshButtons();
}

void TCPM::btSmazatClick() {
    if (mode_ != Mode::Browse || selected_ < 1) {
        return;
    }
    const std::size_t index = static_cast<std::size_t>(selected_ - 1);
    const std::size_t last = accounts_.count - 1u;
    for (std::size_t i = index; i < last; ++i) {
        accounts_.accountSlots[i] = accounts_.accountSlots[i + 1];
    }
    // The slot that fell out of use gets random bytes, so no copy of a name and
    // password stays behind in the file.
    randomiseSlot(accounts_.accountSlots[last], random_);
    --accounts_.count;
    if (selected_ > accounts_.count) {
        selected_ = accounts_.count;
    }
    refreshList();
    refreshButtons();
}

void TCPM::btPouzitClick() {
    if (loadFailed_) {
        // The unreadable file is kept beside the new one, not simply overwritten.
        std::filesystem::path kept;
        if (FileResult r = keepBackupCopy(file_, kept); !r) {
            ui::messageOk(ui::toQ(r.error()), {}, u'E');
            return;
        }
        loadFailed_ = false;
    }
    if (FileResult r = saveAccountFile(file_, accounts_, key_, random_); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
        return;
    }
    accept();
}

} // namespace qtr
