#include "setup/key_picker_dialog.h"

#include "db/tables.h"
#include "setup/editor_widgets.h"
#include "ui/qt_text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr::setup {

using ui::fromQ;
using ui::toQ;

TSELK1::TSELK1(KeyHolderTable& holders, QWidget* parent) : QDialog(parent), holders_(holders) {
    setObjectName(QStringLiteral("TSELK1"));
    setWindowTitle(QStringLiteral("Výběr ze seznamu klíčů"));
    setStyleSheet(editorStyleSheet());

    laPocet_ = new QLabel(this);
    laPocet_->setObjectName(QStringLiteral("laPocet"));
    ListBox1_ = new QListWidget(this);
    ListBox1_->setObjectName(QStringLiteral("ListBox1"));
    ListBox1_->setToolTip(QStringLiteral("klepnutím určíte skupinu"));
    ListBox1_->setMinimumSize(240, 260);
    edJmeno_ = makeEdit(QStringLiteral("edJmeno"),
                        QStringLiteral("jméno nositele identifikačního klíče"), this);
    edKlic_ = makeEdit(QStringLiteral("edKlic"), QStringLiteral("číslo klíče"), this);
    edKlic_->setReadOnly(true);
    btPouzit_ = makeButton(QStringLiteral("použít"), QStringLiteral("btPouzit"),
                           QStringLiteral("použít vybraný klíč"), this);
    btZpet_ = makeButton(QStringLiteral("zpět"), QStringLiteral("btZpet"),
                         QStringLiteral("zpět bez výběru"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(makeLabel(QStringLiteral("Jméno"), this), 0, 0);
    fields->addWidget(edJmeno_, 0, 1);
    fields->addWidget(makeLabel(QStringLiteral("Klíč"), this), 1, 0);
    fields->addWidget(edKlic_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btPouzit_);
    buttons->addWidget(btZpet_);
    auto* box = new QVBoxLayout(this);
    box->addWidget(laPocet_);
    box->addWidget(ListBox1_, 1);
    box->addLayout(fields);
    box->addLayout(buttons);

    connect(ListBox1_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { edJmeno_->setText(item->text()); });
    connect(edJmeno_, &QLineEdit::textChanged, this, &TSELK1::nameChanged);
    connect(btPouzit_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btZpet_, &QPushButton::clicked, this, &QDialog::reject);
    btPouzit_->setEnabled(false);
}

void TSELK1::showEvent(QShowEvent* event) {
    if (!prepared_) {
        prepared_ = true;
        prepare();
    }
    QDialog::showEvent(event);
}

void TSELK1::prepare() {
    holders_.sort(KeyHolderOrder::ByName);
    std::vector<std::string> names;
    holders_.fillNameList(names);
    ListBox1_->clear();
    for (const auto& n : names) {
        ListBox1_->addItem(toQ(n));
    }
    laPocet_->setText(QStringLiteral("Rejstřík klíčů: %1").arg(holders_.count()));
    edJmeno_->clear();
    edKlic_->clear();
}

void TSELK1::nameChanged(const QString& name) {
    if (holders_.selectByName(fromQ(name))) {
        edKlic_->setText(toQ(holders_.current().keyNumber.text()));
    } else {
        edKlic_->clear();
    }
    btPouzit_->setEnabled(!edKlic_->text().isEmpty());
}

KeyNumber TSELK1::chosenKey() const {
    return holders_.current().keyNumber;
}

} // namespace qtr::setup
