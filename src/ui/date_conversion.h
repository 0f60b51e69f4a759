#pragma once

#ifndef Q_MOC_RUN // moc cannot parse the C++20 standard headers this pulls in
#include "base/date_time.h"
#endif

#include <QDate>
#include <QTime>

namespace qtr::ui {

// Day-count dates and times to and from the date and time pickers.
inline QDate toQDate(DateTime value) {
    const CivilDateTime c = decodeDateTime(value);
    return QDate(c.year, c.month, c.day);
}
inline QTime toQTime(DateTime value) {
    const CivilDateTime c = decodeDateTime(value);
    return QTime(c.hour, c.minute, c.second);
}
inline DateTime dayCountOf(const QDate& d) {
    return encodeDate(d.year(), d.month(), d.day());
}
inline DateTime timeFractionOf(const QTime& t) {
    return encodeTime(t.hour(), t.minute(), t.second());
}

} // namespace qtr::ui
