#include "unitproc/forms/status_reading_form.h"

#include "base/hex_text.h"
#include "db/tables.h"
#include "ui/qt_text.h"
#include "ui/ui_services.h"
#include "ui/up_down.h"
#include "unitproc/communication_control.h"
#include "unitproc/forms/hex_address_dialog.h"
#include "unitproc/forms/unit_status_window.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qtr {

TGETSTAV::TGETSTAV(CommunicationControl& comm, const ControlUnitTable& units, QWidget* parent)
    : QDialog(parent), comm_(comm) {
    setObjectName(QStringLiteral("TGETSTAV"));
    setWindowTitle(QStringLiteral("Čtení stavu jednotky ") + ui::toQ(comm.commDescription()));

    udAdrSta_ = new UpDown(this);
    udAdrSta_->setObjectName(QStringLiteral("udAdrSta"));

    edAdresa_ = new QLineEdit(this);
    edAdresa_->setObjectName(QStringLiteral("edAdresa"));
    edAdresa_->setReadOnly(true);
    edAdresa_->setFixedWidth(44);
    edAdresa_->setAlignment(Qt::AlignCenter);
    edAdresa_->setText(QStringLiteral("00"));
    edAdresa_->installEventFilter(this);

    auto* btHex = new QPushButton(QStringLiteral("H"), this);
    btHex->setObjectName(QStringLiteral("btHex"));
    btHex->setMaximumWidth(32);
    btHex->setToolTip(QStringLiteral("Zadat adresu šestnáctkově"));

    lbJednotky_ = new QListWidget(this);
    lbJednotky_->setObjectName(QStringLiteral("lbJednotky"));
    std::vector<std::string> lines;
    units.fillAddressList(lines);
    for (const auto& l : lines) {
        lbJednotky_->addItem(ui::toQ(l));
    }

    laResp_ = new QLabel(this);
    laResp_->setObjectName(QStringLiteral("laResp"));
    laResp_->setWordWrap(true);
    laResp_->setMinimumHeight(36);

    auto* btZpet = new QPushButton(QStringLiteral("zpět"), this);
    btZpet->setObjectName(QStringLiteral("btZpet"));
    connect(btZpet, &QPushButton::clicked, this, &QDialog::accept);

    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(new QLabel(QStringLiteral("Adresa jednotky:"), this));
    addressRow->addWidget(edAdresa_);
    addressRow->addSpacing(-6);
    addressRow->addWidget(udAdrSta_);
    addressRow->addWidget(btHex);
    addressRow->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btZpet);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(addressRow);
    layout->addWidget(new QLabel(QStringLiteral("Jednotky v systému:"), this));
    layout->addWidget(lbJednotky_);
    layout->addWidget(laResp_);
    layout->addLayout(buttons);
    resize(360, 380);

    connect(udAdrSta_, &QSpinBox::valueChanged, this, [this](int v) {
        edAdresa_->setText(ui::toQ(hexByteText(static_cast<std::uint8_t>(v))));
        CteniStavu(static_cast<std::uint8_t>(v));
    });
    connect(lbJednotky_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        setAddress(parseHexByte(ui::fromQ(item->text().left(2))));
    });
    connect(btHex, &QPushButton::clicked, this, &TGETSTAV::btHexClick);
}

std::uint8_t TGETSTAV::address() const {
    return static_cast<std::uint8_t>(udAdrSta_->value());
}

QString TGETSTAV::responseText() const {
    return laResp_->text();
}

void TGETSTAV::setAddress(std::uint8_t a) {
    if (udAdrSta_->value() != a) {
        udAdrSta_->setValue(a); // the change reads the status
    } else {
        CteniStavu(a);
    }
}

void TGETSTAV::btHexClick() {
    THEXADR keypad(address(), true, this);
    if (ui::execModal(keypad) == QDialog::Accepted) {
        setAddress(keypad.value());
    }
}

bool TGETSTAV::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edAdresa_ && event->type() == QEvent::MouseButtonPress) {
        CteniStavu(address());
    }
    return QDialog::eventFilter(watched, event);
}

void TGETSTAV::CteniStavu(std::uint8_t a) {
    // A change of the address while a read still waits for its answer must not
    // start a second transaction on the bus.
    if (reading_) {
        return;
    }
    reading_ = true;
    laResp_->setText(QStringLiteral("volání ") + ui::toQ(hexByteText(a)));
    QApplication::processEvents();
    UnitTransaction& bus = comm_.bus();
    const bool ok = bus.CteniStavuJednotky(a);
    reading_ = false;
    if (ok) {
        TSTAVJ window(this);
        window.ZobrazitStavJednotky(bus.unitStatus);
        ui::execModal(window);
    } else {
        laResp_->setText(ui::toQ(bus.errorText));
    }
}

} // namespace qtr
