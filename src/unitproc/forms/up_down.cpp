#include "unitproc/forms/up_down.h"

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

} // namespace qtr
