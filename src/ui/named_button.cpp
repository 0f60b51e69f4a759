#include "ui/named_button.h"

#include <QPushButton>

namespace qtr::ui {

QPushButton* makeButton(const QString& text, const QString& name, const QString& hint,
                        QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace qtr::ui
