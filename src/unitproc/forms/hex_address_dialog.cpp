#include "unitproc/forms/hex_address_dialog.h"

#include "base/hex_text.h"
#include "ui/qt_text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

THEXADR::THEXADR(std::uint8_t initial, bool zeroForbidden, QWidget* parent)
    : QDialog(parent), display_(ui::toQ(hexByteText(initial))), zeroForbidden_(zeroForbidden) {
    setObjectName(QStringLiteral("THEXADR"));
    setWindowTitle(QStringLiteral("Určení adresy (hex)"));

    laDisplay_ = new QLabel(this);
    laDisplay_->setObjectName(QStringLiteral("laDisplay"));
    laDisplay_->setAlignment(Qt::AlignCenter);
    laDisplay_->setFrameShape(QFrame::Panel);
    laDisplay_->setFrameShadow(QFrame::Sunken);
    QFont big = laDisplay_->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    laDisplay_->setFont(big);
    laDisplay_->setMinimumHeight(44);

    auto* keys = new QGridLayout;
    const QString digits = QStringLiteral("0123456789ABCDEF");
    for (int i = 0; i < digits.size(); ++i) {
        const QChar d = digits[i];
        auto* b = new QPushButton(QString(d), this);
        b->setObjectName(QStringLiteral("bt") + d);
        b->setAutoDefault(false);
        b->setMinimumSize(40, 32);
        connect(b, &QPushButton::clicked, this, [this, d] { pressDigit(d); });
        // Rows 7 8 9 A / 4 5 6 B / 1 2 3 C / 0 F E D, like a calculator.
        static constexpr int kRow[16] = {3, 2, 2, 2, 1, 1, 1, 0, 0, 0, 0, 1, 2, 3, 3, 3};
        static constexpr int kCol[16] = {0, 0, 1, 2, 0, 1, 2, 0, 1, 2, 3, 3, 3, 3, 2, 1};
        keys->addWidget(b, kRow[i], kCol[i]);
    }

    btHotovo_ = new QPushButton(QStringLiteral("Hotovo"), this);
    btHotovo_->setObjectName(QStringLiteral("btHotovo"));
    btHotovo_->setDefault(true);
    auto* btPrerusit = new QPushButton(QStringLiteral("Přerušit"), this);
    btPrerusit->setObjectName(QStringLiteral("btPrerusit"));
    connect(btHotovo_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btPrerusit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btHotovo_);
    buttons->addWidget(btPrerusit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(laDisplay_);
    layout->addLayout(keys);
    layout->addLayout(buttons);
    refresh();
}

std::uint8_t THEXADR::value() const {
    return parseHexByte(ui::fromQ(display_));
}

QString THEXADR::displayText() const {
    return display_;
}

void THEXADR::pressDigit(QChar digit) {
    display_ = (display_ + digit).right(2).rightJustified(2, u'0');
    refresh();
}

void THEXADR::refresh() {
    laDisplay_->setText(display_);
    btHotovo_->setEnabled(!(zeroForbidden_ && display_ == QStringLiteral("00")));
}

} // namespace qtr
