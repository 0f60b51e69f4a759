#pragma once

class QTabBar;
class QWidget;

namespace qtr::calendar {

// The month tabs "leden" .. "prosinec" (index 0 = January) of both calendar windows,
// all visible at once.
QTabBar* makeMonthTabs(QWidget* parent);

} // namespace qtr::calendar
