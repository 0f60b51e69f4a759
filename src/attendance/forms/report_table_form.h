#pragma once

// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "attendance/code_list.h"
#include "attendance/evaluation.h"
#endif

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

namespace qtr {

// TDM00005 "Sestava pro: ...": the evaluated days before the report is written. A
// click on a cell of a column with a red heading opens the edit panel; "Hotovo"
// stores the value into the day (refused with a message when the day cannot hold it).
// Its opener sums the period's totals again when it closes.
class TDM00005 : public QDialog {
    Q_OBJECT

public:
    TDM00005(EvaluationResult& result, const AttendanceCodeList& codes,
             const std::string& holderName, QWidget* parent = nullptr);

    // A click on the cell of day of month `day` (1..31) and column `column` (0-based).
    void StringGrid1Click(int day, int column);

private:
    void fill();
    void valueChanged();
    void btHotovoClick();
    void closePanel();

    EvaluationResult& result_;
    const AttendanceCodeList& codes_;
    int day_ = 0;
    int column_ = 0;
    QTableWidget* StringGrid1_;
    QWidget* pnOprava_;
    QLabel* laOprava_;
    QLabel* laSloupec_;
    QLineEdit* edHodnota_;
    QPushButton* btHotovo_;
};

} // namespace qtr
