#pragma once

// moc cannot parse the C++20 standard headers this pulls in.
#ifndef Q_MOC_RUN
#include "base/date_time.h"
#endif

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

namespace qtr {

// TEDTTM "Určení data a času": a date and time between two bounds (clicking a bound
// takes it over, "obvyklý počátek"/"obvyklý konec" the usual times of day). "hotovo"
// is enabled only while the value lies within the bounds; "žádný údaj" gives 0.
class TEDTTM : public QDialog {
    Q_OBJECT

public:
    TEDTTM(const QString& title, DateTime lower, DateTime upper, DateTime usualStart,
           DateTime usualEnd, DateTime value, QWidget* parent = nullptr);

    // After OK: the chosen date and time, 0 for "žádný údaj".
    DateTime value() const { return date_ + time_; }

private:
    void setParts(DateTime value);
    void fieldsChanged();

    DateTime lower_;
    DateTime upper_;
    DateTime date_ = 0;
    DateTime time_ = 0;
    QLineEdit* meDatum_;
    QLineEdit* meCas_;
    QPushButton* btHotovo_;
};

} // namespace qtr
