#pragma once

// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "attendance/attendance_data.h"
#endif

#include <QDialog>
#include <filesystem>

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace qtr {

// TDM00003 "Tvar výstupního řádku sestavy": the columns of the attendance report.
// A click on a "Datová položka" entry appends that item, a click on a "Sloupec
// sestavy" entry removes that column; "použít" saves DEFRADVY.DAT, "zpět" (and the
// close box) reads it back, dropping the changes.
class TDM00003 : public QDialog {
    Q_OBJECT

public:
    TDM00003(AttendanceData& data, std::filesystem::path dir, QWidget* parent = nullptr);

    void reject() override;

private:
    void showColumns();
    void btPouzitClick();

    AttendanceData& data_;
    std::filesystem::path dir_;
    QListWidget* lbPolozky_;
    QListWidget* lbSloupce_;
    QLabel* laNahled_;
    QPushButton* btVymazat_;
};

// TDM00008 "Krok hodin docházky": the rounding steps of "UPRAVIT", 1..59 minutes;
// "použít" stores them.
class TDM00008 : public QDialog {
    Q_OBJECT

public:
    explicit TDM00008(RoundingSteps& steps, QWidget* parent = nullptr);

private:
    RoundingSteps& steps_;
    QSpinBox* seKrok1_;
    QSpinBox* seKrok2_;
};

} // namespace qtr
