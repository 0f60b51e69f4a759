#pragma once

// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "attendance/attendance_data.h"
#include "base/clock.h"
#endif

#include <QDialog>
#include <filesystem>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimeEdit;

namespace qtr {

// TDM00002 "Záznam číselníku": one code record, the code list editor's working
// record. The code can be changed only for a new record (code 0) and for the
// operator's own codes (20 and above); "hotovo" is enabled only while the code is
// 20..99 and no other row has it, the width is 1..255 and name and heading are given.
class TDM00002 : public QDialog {
    Q_OBJECT

public:
    // `ownRow` is the row of the record in the list (left out of the unique check).
    TDM00002(AttendanceCodeRecord& working, const AttendanceCodeList& list, int ownRow,
             QWidget* parent = nullptr);

private:
    void fieldsChanged();
    void btHotovoClick();

    AttendanceCodeRecord& working_;
    const AttendanceCodeList& list_;
    int ownRow_;
    QLineEdit* edKod_;
    QLineEdit* edNazev_;
    QCheckBox* cbVykon_;
    QTimeEdit* teNejmene_;
    QTimeEdit* teNejvyse_;
    QLineEdit* edNadpis_;
    QLineEdit* edSirka_;
    QRadioButton* rbVlevo_;
    QRadioButton* rbVpravo_;
    QPushButton* btHotovo_;
};

// TDM00001 "Číselník docházky - druh práce": the code list in a grid. In normal mode
// a click on a row acts by the operation chosen ("prohlížet", "opravit", "přidat",
// "smazat"); "vypsat" prints the list. In choosing mode ("Výběr možností") a click
// picks a code row into the working record and "vybrat" closes with it.
class TDM00001 : public QDialog {
    Q_OBJECT

public:
    enum class Operation { Browse, Change, Add, Delete };

    TDM00001(AttendanceData& data, std::filesystem::path dir, const Clock& clock, bool choosing,
             QWidget* parent = nullptr);

    // A click on grid row `row` (1-based), as the mouse gives it.
    void StringGrid1Click(int row);
    void btVypsatClick();
    Operation operation() const;

private:
    void setOperation(Operation op);
    void display();
    void selectRow(int row);

    AttendanceData& data_;
    std::filesystem::path dir_;
    const Clock& clock_;
    bool choosing_;
    int selectedRow_ = 0;
    QTableWidget* StringGrid1_;
    QLabel* laPocet_;
    QRadioButton* rbOperace_[4]; // in the order of Operation
    QPushButton* btVybrat_;
};

} // namespace qtr
