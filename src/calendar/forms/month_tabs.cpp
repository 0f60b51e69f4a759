#include "calendar/forms/month_tabs.h"

#include "base/date_time.h"
#include "ui/qt_text.h"

#include <QTabBar>

namespace qtr::calendar {

QTabBar* makeMonthTabs(QWidget* parent) {
    auto* tabs = new QTabBar(parent);
    tabs->setObjectName(QStringLiteral("tcMesice"));
    tabs->setExpanding(false);
    tabs->setUsesScrollButtons(false);
    for (int m = 1; m <= 12; ++m) {
        tabs->addTab(ui::toQ(czechMonthName(m)));
    }
    return tabs;
}

} // namespace qtr::calendar
