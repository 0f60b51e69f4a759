#include "setup/interval_dialog.h"

#include "setup/editor_widgets.h"
#include "ui/date_conversion.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace qtr::setup {
TINTDTTM::TINTDTTM(QWidget* parent)
    : QDialog(parent), start_(encodeDate(1998, 1, 1)), end_(encodeDate(1998, 1, 1)) {
    setObjectName(QStringLiteral("TINTDTTM"));
    setWindowTitle(QStringLiteral("Určení časového intervalu"));
    auto dateEdit = [this](const QString& name) {
        auto* e = new QDateEdit(this);
        e->setObjectName(name);
        e->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        e->setCalendarPopup(true);
        return e;
    };
    auto timeEdit = [this](const QString& name) {
        auto* e = new QTimeEdit(this);
        e->setObjectName(name);
        e->setDisplayFormat(QStringLiteral("HH:mm"));
        return e;
    };
    startDate_ = dateEdit(QStringLiteral("edPocatekDatum"));
    startTime_ = timeEdit(QStringLiteral("edPocatekCas"));
    endDate_ = dateEdit(QStringLiteral("edKonecDatum"));
    endTime_ = timeEdit(QStringLiteral("edKonecCas"));
    btHotovo_ = makeButton(QStringLiteral("hotovo"), QStringLiteral("btHotovo"),
                           QStringLiteral("převzít interval"), this);
    auto* cancel = makeButton(QStringLiteral("přerušit"), QStringLiteral("btPrerusit"),
                              QStringLiteral("zpět, beze změny"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Datum"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Čas"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Počátek:"), this), 1, 0);
    grid->addWidget(startDate_, 1, 1);
    grid->addWidget(startTime_, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Konec:"), this), 2, 0);
    grid->addWidget(endDate_, 2, 1);
    grid->addWidget(endTime_, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btHotovo_);
    buttons->addWidget(cancel);
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid);
    box->addLayout(buttons);

    for (auto* d : {startDate_, endDate_}) {
        connect(d, &QDateEdit::dateChanged, this, &TINTDTTM::fieldsChanged);
    }
    for (auto* t : {startTime_, endTime_}) {
        connect(t, &QTimeEdit::timeChanged, this, &TINTDTTM::fieldsChanged);
    }
    connect(btHotovo_, &QPushButton::clicked, this, [this] {
        start_ = fieldsStart();
        end_ = fieldsEnd();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setInterval(start_, end_);
}

void TINTDTTM::setInterval(DateTime start, DateTime end) {
    start_ = start;
    end_ = end;
    startDate_->setDate(ui::toQDate(start));
    startTime_->setTime(ui::toQTime(start));
    endDate_->setDate(ui::toQDate(end));
    endTime_->setTime(ui::toQTime(end));
    fieldsChanged();
}

DateTime TINTDTTM::fieldsStart() const {
    return ui::dayCountOf(startDate_->date()) + ui::timeFractionOf(startTime_->time());
}

DateTime TINTDTTM::fieldsEnd() const {
    return ui::dayCountOf(endDate_->date()) + ui::timeFractionOf(endTime_->time());
}

void TINTDTTM::fieldsChanged() {
    btHotovo_->setEnabled(fieldsEnd() >= fieldsStart());
}

} // namespace qtr::setup
