#pragma once

// moc cannot parse some C++20 in the core headers.
#ifndef Q_MOC_RUN
#include "db/access_schedule_record.h"
#endif

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace qtr::access {
class WeekGraph;

// TSLR "Úprava složky rozvrhu": one time window of a schedule, its "Od" and "Do"
// set by spin buttons (a "Do" before the "Od" cannot be reached) and its days by
// seven boxes. Every change goes into the working segment at once and is drawn;
// "hotovo" accepts the dialog, "přerušit" rejects it.
class TSLR : public QDialog {
    Q_OBJECT

public:
    explicit TSLR(const TimeSegment& segment, QWidget* parent = nullptr);

    const TimeSegment& segment() const { return segment_; }

private:
    void timeChanged();
    void dayClicked();
    void showSegment();

    TimeSegment segment_;
    QSpinBox* udOdHodina_;
    QSpinBox* udOdMinuta_;
    QSpinBox* udDoHodina_;
    QSpinBox* udDoMinuta_;
    QLineEdit* edOd_;
    QLineEdit* edDo_;
    std::array<QCheckBox*, 7> days_{};
    WeekGraph* graph_;
};

} // namespace qtr::access
