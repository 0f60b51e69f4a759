#include "attendance/forms/date_time_dialog.h"

#include "attendance/attendance_time.h"
#include "ui/qt_text.h"
#include "ui/record_editor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {
namespace {

QString boundText(DateTime v) {
    return isCalendarValue(v) ? ui::toQ(formatDateTime("dd.mm.yyyy hh:nn", v))
                              : QStringLiteral("?");
}

} // namespace

TEDTTM::TEDTTM(const QString& title, DateTime lower, DateTime upper, DateTime usualStart,
               DateTime usualEnd, DateTime value, QWidget* parent)
    : QDialog(parent), lower_(lower), upper_(upper < lower ? lower : upper) {
    setObjectName(QStringLiteral("TEDTTM"));
    setWindowTitle(QStringLiteral("Určení data a času"));
    value = value < lower_ ? lower_ : value > upper_ ? upper_ : value;

    auto* laTitulek = new QLabel(title, this);
    laTitulek->setObjectName(QStringLiteral("laTitulek"));
    auto bound = [this](const char* name, DateTime v) {
        auto* b = ui::makeButton(boundText(v), QString::fromLatin1(name),
                                 QStringLiteral("klepnutím nastavíte tuto mez"), this);
        b->setFlat(true);
        connect(b, &QPushButton::clicked, this, [this, v] { setParts(v); });
        return b;
    };
    auto* laDolni = bound("laDolni", lower_);
    auto* laHorni = bound("laHorni", upper_);
    meDatum_ = new QLineEdit(this);
    meDatum_->setObjectName(QStringLiteral("meDatum"));
    meDatum_->setInputMask(QStringLiteral("99.99.9999;_"));
    meCas_ = new QLineEdit(this);
    meCas_->setObjectName(QStringLiteral("meCas"));
    meCas_->setInputMask(QStringLiteral("99:99:99;_"));
    auto* btPocatek = ui::makeButton(QStringLiteral("obvyklý počátek"),
                                     QStringLiteral("btObvPocatek"), QString(), this);
    auto* btKonec = ui::makeButton(QStringLiteral("obvyklý konec"), QStringLiteral("btObvKonec"),
                                   QString(), this);
    btHotovo_ = ui::makeButton(QStringLiteral("hotovo"), QStringLiteral("btHotovo"),
                               QStringLiteral("převzít datum a čas"), this);
    auto* btZadny = ui::makeButton(QStringLiteral("žádný údaj"), QStringLiteral("btZadnyUdaj"),
                                   QStringLiteral("vymaže údaj"), this);
    auto* btPrerusit = ui::makeButton(QStringLiteral("přerušit"), QStringLiteral("btPrerusit"),
                                      QStringLiteral("zpět, beze změny"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Hranice"), this), 0, 0);
    grid->addWidget(laDolni, 0, 1);
    grid->addWidget(laHorni, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Datum"), this), 1, 0);
    grid->addWidget(meDatum_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Čas"), this), 2, 0);
    grid->addWidget(meCas_, 2, 1);
    grid->addWidget(btPocatek, 2, 2);
    grid->addWidget(btKonec, 3, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btZadny);
    buttons->addStretch(1);
    buttons->addWidget(btPrerusit);
    buttons->addWidget(btHotovo_);
    auto* box = new QVBoxLayout(this);
    box->addWidget(laTitulek);
    box->addLayout(grid);
    box->addLayout(buttons);

    connect(meDatum_, &QLineEdit::textEdited, this, &TEDTTM::fieldsChanged);
    connect(meCas_, &QLineEdit::textEdited, this, &TEDTTM::fieldsChanged);
    connect(btPocatek, &QPushButton::clicked, this,
            [this, usualStart] { setParts(date_ + timeOfDay(usualStart)); });
    connect(btKonec, &QPushButton::clicked, this,
            [this, usualEnd] { setParts(date_ + timeOfDay(usualEnd)); });
    connect(btHotovo_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btZadny, &QPushButton::clicked, this, [this] {
        date_ = 0;
        time_ = 0;
        accept();
    });
    connect(btPrerusit, &QPushButton::clicked, this, &QDialog::reject);
    setParts(value);
}

void TEDTTM::setParts(DateTime value) {
    date_ = dayOf(value);
    time_ = timeOfDay(value);
    if (isCalendarValue(value)) {
        meDatum_->setText(ui::toQ(formatDateTime("dd.mm.yyyy", value)));
        meCas_->setText(ui::toQ(formatDateTime("hh:nn:ss", value)));
    }
    fieldsChanged();
}

void TEDTTM::fieldsChanged() {
    // A text that is no date or time yet is left as it is, without a message.
    DateTime d = 0;
    if (parseDateTime(ui::fromQ(meDatum_->text()), d)) {
        date_ = dayOf(d);
    }
    DateTime t = 0;
    if (parseDateTime("30.12.1899 " + ui::fromQ(meCas_->text()), t)) {
        time_ = timeOfDay(t);
    }
    const DateTime v = date_ + time_;
    btHotovo_->setEnabled(lower_ <= v && v <= upper_);
}

} // namespace qtr
