#pragma once

#include "attendance/forms/attendance_windows.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimeEdit;

namespace qtr {

// TDM00007 "Rozpracované docházkové karty": the cards of KARTY.DAT, one per key
// holder. A click on a line makes that card the working card; "nová" starts a card
// for a holder picked in TSELK1; the panel edits the usual shift ("použít" appends a
// new card or overwrites the one found); "události" opens the card editor and saves
// the card when it closes with OK. In selection mode "vybrat" closes with the card
// last clicked, "zpět" without one.
class TDM00007 : public QDialog {
    Q_OBJECT

public:
    enum class Mode : char { Browse = ' ', New = 'I', Change = 'O' };

    TDM00007(AttendanceSession& session, bool selection, QWidget* parent = nullptr);

    Mode mode() const { return mode_; }
    // A click on line `row` (0-based) of the list.
    void ListBox1Click(int row);

private:
    void fillList();
    void browseState();
    void showCard();
    void showNightLabel();
    void openPanel(Mode mode);
    void btNovaClick();
    void btPouzitClick();
    void btUdalostiClick();

    AttendanceSession& s_;
    Mode mode_ = Mode::Browse;
    QListWidget* ListBox1_;
    QPushButton* btNova_;
    QPushButton* btOpravit_;
    QPushButton* btUdalosti_;
    QPushButton* btVybrat_;
    QGroupBox* pnParametry_;
    QLabel* laJmeno_;
    QTimeEdit* dtOd_;
    QTimeEdit* dtDo_;
    QCheckBox* cbDoplnit_;
    QLabel* laNocni_;
    QPushButton* btPanelZpet_;
    QPushButton* btPouzit_;
};

} // namespace qtr
