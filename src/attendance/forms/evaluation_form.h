#pragma once

#include "attendance/forms/attendance_windows.h"

#include <QDialog>
#include <string>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;

namespace qtr {

// TDM00000 "Vyhodnocení docházkových karet": the working card evaluated over a
// processing period into the report "VÝKAZ DOCHÁZKY". "Zpracovat" is enabled only for
// a card of a known key holder that passes the check and a period that suits the card.
class TDM00000 : public QDialog {
    Q_OBJECT

public:
    explicit TDM00000(AttendanceSession& session, QWidget* parent = nullptr);

    void laProClick();
    void laKartaClick();
    void btZpracovatClick();

private:
    // The card on the labels, then the window check (with the card editor opened on a
    // card that fails it).
    void cardChanged();
    void showLabels();
    bool windowCheck();
    void periodChanged();

    AttendanceSession& s_;
    std::string holderName_;
    bool known_ = false;
    QDateEdit* dtOd_;
    QDateEdit* dtDo_;
    QLabel* pnInterval_;
    QPushButton* laPro_;
    QLabel* laPlatna_;
    QLabel* laObvykleOd_;
    QLabel* laObvykleDo_;
    QLabel* laDoplnovat_;
    QCheckBox* cbUpravy_;
    QPushButton* btZpracovat_;
};

} // namespace qtr
