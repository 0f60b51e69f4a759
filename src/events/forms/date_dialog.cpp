#include "events/forms/date_dialog.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

TSELDAT::TSELDAT(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TSELDAT"));
    setWindowTitle(QStringLiteral("Vybrat datum"));
    Calendar1_ = new QCalendarWidget(this);
    Calendar1_->setObjectName(QStringLiteral("Calendar1"));
    Calendar1_->setFirstDayOfWeek(Qt::Monday);
    Calendar1_->setGridVisible(true);
    Calendar1_->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    auto* btHotovo = new QPushButton(QStringLiteral("hotovo"), this);
    btHotovo->setObjectName(QStringLiteral("btHotovo"));
    btHotovo->setToolTip(QStringLiteral("převzít vybrané datum"));
    btHotovo->setDefault(true);
    auto* btPrerusit = new QPushButton(QStringLiteral("přerušit"), this);
    btPrerusit->setObjectName(QStringLiteral("btPrerusit"));
    btPrerusit->setToolTip(QStringLiteral("zpět, beze změny"));
    btPrerusit->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btHotovo);
    buttons->addWidget(btPrerusit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Calendar1_);
    layout->addLayout(buttons);

    connect(btHotovo, &QPushButton::clicked, this, [this] {
        const QDate d = Calendar1_->selectedDate();
        date_ = encodeDate(d.year(), d.month(), d.day());
        accept();
    });
    connect(Calendar1_, &QCalendarWidget::activated, btHotovo, &QPushButton::click);
    connect(btPrerusit, &QPushButton::clicked, this, &QDialog::reject);
}

void TSELDAT::setDate(DateTime day) {
    date_ = datePart(day);
    const CivilDateTime c = decodeDateTime(date_);
    Calendar1_->setSelectedDate(QDate(c.year, c.month, c.day));
}

} // namespace qtr
