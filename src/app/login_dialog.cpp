#include "app/login_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

namespace {

QLineEdit* maskedEdit(QWidget* parent, const char* name, char maskCharacter) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setEchoMode(QLineEdit::Password);
    e->setStyleSheet(
        QStringLiteral("QLineEdit { lineedit-password-character: %1; }").arg(int(maskCharacter)));
    e->setMinimumWidth(220);
    return e;
}

} // namespace

TFIRST::TFIRST(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFIRST"));
    setWindowTitle(QStringLiteral("Přihlášení uživatele"));

    Edit1_ = maskedEdit(this, "Edit1", '*');
    Edit1_->setMaxLength(36);
    Edit2_ = maskedEdit(this, "Edit2", '#');
    Edit2_->setMaxLength(35);

    btHotovo_ = new QPushButton(QStringLiteral("hotovo"), this);
    btHotovo_->setObjectName(QStringLiteral("btHotovo"));
    btHotovo_->setDefault(true);
    auto* btZpet = new QPushButton(QStringLiteral("zpět"), this);
    btZpet->setObjectName(QStringLiteral("btZpet"));
    connect(btHotovo_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btZpet, &QPushButton::clicked, this, &QDialog::reject);
    connect(Edit1_, &QLineEdit::textChanged, this, &TFIRST::refresh);
    connect(Edit2_, &QLineEdit::textChanged, this, &TFIRST::refresh);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Jméno:"), Edit1_);
    form->addRow(QStringLiteral("Heslo:"), Edit2_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btHotovo_);
    buttons->addWidget(btZpet);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    refresh();
}

QString TFIRST::userName() const {
    return Edit1_->text();
}

QString TFIRST::password() const {
    return Edit2_->text();
}

void TFIRST::refresh() {
    btHotovo_->setEnabled(!Edit1_->text().isEmpty() && !Edit2_->text().isEmpty());
}

} // namespace qtr
