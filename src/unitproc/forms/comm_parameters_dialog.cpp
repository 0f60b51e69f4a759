#include "unitproc/forms/comm_parameters_dialog.h"

#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/ui_services.h"
#include "ui/up_down.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qtr {

namespace {

QGroupBox* radioGroup(QWidget* parent, const QString& title, const char* name,
                      const QStringList& items, QButtonGroup*& group) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(name));
    group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* r = new QRadioButton(items[i], box);
        r->setObjectName(QString::fromLatin1(name) + QString::number(i));
        group->addButton(r, i);
        layout->addWidget(r);
    }
    return box;
}

} // namespace

TKOMPAR::TKOMPAR(const CommSettings& current, const QStringList& ports, QWidget* parent)
    : QDialog(parent), result_(current) {
    setObjectName(QStringLiteral("TKOMPAR"));
    setWindowTitle(QStringLiteral("Parametry komunikace"));
    setMinimumWidth(340);

    cbPort_ = new QComboBox(this);
    cbPort_->setObjectName(QStringLiteral("cbPort"));
    cbPort_->addItems(ports);

    auto* mode = radioGroup(this, QStringLiteral("Mód"), "rgMod",
                            {QStringLiteral("RS485"), QStringLiteral("RS232")}, rgMod_);
    auto* speed = radioGroup(this, QStringLiteral("Rychlost"), "rgRychlost",
                             {QStringLiteral("2400"), QStringLiteral("9600")}, rgRychlost_);

    udAdresa_ = new UpDown(this);
    udAdresa_->setObjectName(QStringLiteral("udAdresa"));
    laAdresa_ = makeAddressDisplay(udAdresa_, QStringLiteral("laAdresa"), this);

    auto* btOk = new QPushButton(QStringLiteral("použít"), this);
    btOk->setObjectName(QStringLiteral("btOk"));
    btOk->setDefault(true);
    auto* btCancel = new QPushButton(QStringLiteral("přerušit"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    connect(btOk, &QPushButton::clicked, this, &TKOMPAR::btOkClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(laAdresa_);
    addressRow->addWidget(udAdresa_);
    addressRow->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Port:"), cbPort_);
    form->addRow(QStringLiteral("Adresa čtečky:"), addressRow);

    auto* groups = new QHBoxLayout;
    groups->addWidget(mode);
    groups->addWidget(speed);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    // Select the configured port; a port that is gone gives way to the first one found.
    const int wanted = cbPort_->findText(QStringLiteral("COM") +
                                         QString::number(current.parameters.portIndex + 1));
    if (wanted >= 0) {
        cbPort_->setCurrentIndex(wanted);
    } else if (cbPort_->count() > 0) {
        cbPort_->setCurrentIndex(0);
        result_.parameters.portIndex = cbPort_->itemText(0).mid(3, 4).toInt() - 1;
    }
    if (auto* b = rgMod_->button(current.parameters.interfaceMode)) {
        b->setChecked(true);
    }
    if (auto* b = rgRychlost_->button(current.parameters.baudIndex)) {
        b->setChecked(true);
    }
    udAdresa_->setValue(current.readerAddress);
}

int TKOMPAR::run() {
    if (cbPort_->count() == 0) {
        ui::messageOk(QStringLiteral("Není k dispozici žádný sériový port!"),
                      QStringLiteral("KONTROLA"), u'!');
        return QDialog::Rejected;
    }
    return ui::execModal(*this);
}

void TKOMPAR::btOkClick() {
    result_.parameters.portIndex = cbPort_->currentText().mid(3, 4).toInt() - 1;
    result_.parameters.interfaceMode = std::max(0, rgMod_->checkedId());
    result_.parameters.baudIndex = std::max(0, rgRychlost_->checkedId());
    result_.readerAddress = static_cast<std::uint8_t>(udAdresa_->value());
    accept();
}

} // namespace qtr
