#pragma once

#include <QString>
#include <QStringList>

class QDateEdit;
class QLabel;
class QTableWidget;
class QTimeEdit;
class QWidget;

namespace qtr::attendance {

// The pieces the attendance windows build alike.

// A date field "dd.MM.yyyy" with its calendar.
QDateEdit* datePicker(const char* name, QWidget* parent);
// A time field "HH:mm".
QTimeEdit* timePicker(const char* name, QWidget* parent);
// The red "pnInterval" warning of a period that is not one, hidden at first.
QLabel* intervalWarning(const QString& text, QWidget* parent);
// The cells of grid row `row` (0-based) set to `cells`, items made where missing.
void setGridRow(QTableWidget& grid, int row, const QStringList& cells);

} // namespace qtr::attendance
