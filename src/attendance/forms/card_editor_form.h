#pragma once

#include "attendance/forms/attendance_windows.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QDateEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace qtr {

// TDM00006: the lines of the working card. The buttons build lines from the
// bookings or the usual shift and correct and check them; a click on the grid acts
// by the chosen operation ("prohlížet", "opravovat", "vkládat", "mazat"). "použít"
// closes with OK, "přerušit" with cancel; the opener decides about saving.
class TDM00006 : public QDialog {
    Q_OBJECT

public:
    enum class Operation { Browse, Change, Insert, Delete };

    TDM00006(AttendanceSession& session, const std::string& holderName, QWidget* parent = nullptr);

    // A click on the cell of card line `line` (1-based) and grid column `column`.
    void StringGrid1Click(int line, int column);
    Operation operation() const;
    void setOperation(Operation op);

private:
    QPushButton* button(const QString& text, const char* name, void (TDM00006::*op)(),
                        bool confirm = false);
    void run(QPushButton* b, void (TDM00006::*op)(), bool confirm);
    void refresh();
    void showWithDateMessages();
    void periodChanged();
    bool editorCheck();
    void storeAndCheck(const CardLine& line, int i);

    void btPlatnostClick();
    void btVymazatClick();
    void btOriginalClick();
    void btKonstantniClick();
    void btHodnotyClick();
    void btUpravitClick();
    void btVytisknoutClick();
    void btZapsatClick();
    void btCistClick();
    void btSmazatPoznClick();
    void btKorekceClick();
    void btDnySmenClick();
    void btDilciDobyClick();
    void btKontrolaClick();
    void btHledatClick();
    void btCiselnikClick();

    AttendanceSession& s_;
    std::string holderName_;
    bool stopRequested_ = false;
    QTableWidget* StringGrid1_;
    QRadioButton* rbOperace_[4];
    QDateEdit* dtOd_;
    QDateEdit* dtDo_;
    QLabel* pnInterval_;
    QLabel* laObvykleOd_;
    QLabel* laObvykleDo_;
    QLabel* laDoplnovat_;
    QCheckBox* cbSoNe_;
    QProgressBar* ProgressBar1_;
    QPushButton* btZastavit_;
    QPushButton* btKorekce_;
};

namespace attendance {

// The card editor on the working card; the card is saved into the register when the
// editor closes with OK. True when it did.
bool editWorkingCard(AttendanceSession& session, const std::string& holderName, QWidget* parent);

} // namespace attendance

} // namespace qtr
