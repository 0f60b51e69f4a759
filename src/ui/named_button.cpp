#include "ui/named_button.h"

#include <QPushButton>

namespace qtr::ui {

QPushButton* namedButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace qtr::ui
