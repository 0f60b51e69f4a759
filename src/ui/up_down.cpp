#include "ui/up_down.h"

#include "base/hex_text.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace qtr {

UpDown::UpDown(QWidget* parent) : QSpinBox(parent) {
    setRange(0, 255);
    setWrapping(false);
    setFocusPolicy(Qt::StrongFocus);
    lineEdit()->setVisible(false);
    setFixedSize(sizeHint());
}

QSize UpDown::sizeHint() const {
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRect up =
        style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const int width = std::max(16, up.width()) + 4;
    return {width, QSpinBox::sizeHint().height()};
}

QSize UpDown::minimumSizeHint() const {
    return sizeHint();
}

QLabel* makeAddressDisplay(QSpinBox* upDown, const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(4, 1, 4, 1);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 10);
    const auto show = [label](int v) {
        label->setText(ui::toQ(hexByteText(static_cast<std::uint8_t>(v))));
    };
    show(upDown->value());
    QObject::connect(upDown, &QSpinBox::valueChanged, label, show);
    return label;
}

} // namespace qtr
