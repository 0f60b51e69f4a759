#pragma once

#ifndef Q_MOC_RUN
#include "base/date_time.h"
#endif

#include <QDialog>

class QDateEdit;
class QPushButton;
class QTimeEdit;

namespace qtr::setup {

// TINTDTTM "Určení časového intervalu": a start and an end date-time, both
// 1 January 1998 00:00 unless the caller sets them. "hotovo" is enabled only
// while the end is not earlier than the start; "přerušit" leaves both as they were.
class TINTDTTM : public QDialog {
public:
    explicit TINTDTTM(QWidget* parent = nullptr);

    void setInterval(DateTime start, DateTime end);
    DateTime start() const { return start_; }
    DateTime end() const { return end_; }

private:
    DateTime fieldsStart() const;
    DateTime fieldsEnd() const;
    void fieldsChanged();

    DateTime start_;
    DateTime end_;
    QDateEdit* startDate_;
    QTimeEdit* startTime_;
    QDateEdit* endDate_;
    QTimeEdit* endTime_;
    QPushButton* btHotovo_;
};

} // namespace qtr::setup
