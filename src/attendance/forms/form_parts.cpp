#include "attendance/forms/form_parts.h"

#include <QDateEdit>
#include <QLabel>
#include <QTableWidget>
#include <QTimeEdit>

namespace qtr::attendance {

QDateEdit* datePicker(const char* name, QWidget* parent) {
    auto* d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setCalendarPopup(true);
    return d;
}

QTimeEdit* timePicker(const char* name, QWidget* parent) {
    auto* t = new QTimeEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setDisplayFormat(QStringLiteral("HH:mm"));
    return t;
}

QLabel* intervalWarning(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("pnInterval"));
    l->setStyleSheet(QStringLiteral("background: #c00000; color: white; padding: 3px;"));
    l->hide();
    return l;
}

void setGridRow(QTableWidget& grid, int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = grid.item(row, c);
        if (item == nullptr) {
            item = new QTableWidgetItem;
            grid.setItem(row, c, item);
        }
        item->setText(cells[c]);
    }
}

} // namespace qtr::attendance
