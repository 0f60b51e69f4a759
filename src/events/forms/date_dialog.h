#pragma once

// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "base/date_time.h"
#endif

#include <QDialog>

class QCalendarWidget;

namespace qtr {

// TSELDAT "Vybrat datum": one day, chosen on a month calendar; "hotovo" takes it,
// "přerušit" leaves it as it was.
class TSELDAT : public QDialog {
    Q_OBJECT

public:
    explicit TSELDAT(QWidget* parent = nullptr);

    // The day shown and chosen (the whole day count, no time).
    void setDate(DateTime day);
    DateTime date() const { return date_; }

private:
    DateTime date_ = 0;
    QCalendarWidget* Calendar1_;
};

} // namespace qtr
