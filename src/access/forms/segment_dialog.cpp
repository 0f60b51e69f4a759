#include "access/forms/segment_dialog.h"

#include "access/forms/schedule_graph_view.h"
#include "access/schedule_editing.h"
#include "setup/editor_widgets.h"
#include "ui/qt_text.h"
#include "ui/up_down.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qtr::access {

namespace {

QSpinBox* makeSpin(const QString& name, int max, QWidget* parent) {
    auto* s = new UpDown(parent);
    s->setObjectName(name);
    s->setRange(0, max);
    return s;
}

} // namespace

TSLR::TSLR(const TimeSegment& segment, QWidget* parent) : QDialog(parent), segment_(segment) {
    setObjectName(QStringLiteral("TSLR"));
    setWindowTitle(QStringLiteral("Úprava složky rozvrhu"));
    setStyleSheet(setup::editorStyleSheet());

    udOdHodina_ = makeSpin(QStringLiteral("udOdHodina"), 23, this);
    udOdMinuta_ = makeSpin(QStringLiteral("udOdMinuta"), 59, this);
    udDoHodina_ = makeSpin(QStringLiteral("udDoHodina"), 23, this);
    udDoMinuta_ = makeSpin(QStringLiteral("udDoMinuta"), 59, this);
    edOd_ = setup::makeEdit(QStringLiteral("edOd"), QStringLiteral("začátek časového okna"), this);
    edDo_ = setup::makeEdit(QStringLiteral("edDo"), QStringLiteral("konec časového okna"), this);
    for (QLineEdit* e : {edOd_, edDo_}) {
        e->setReadOnly(true);
        e->setFixedWidth(56);
    }

    auto* times = new QGridLayout;
    times->addWidget(setup::makeLabel(QStringLiteral("Od"), this), 0, 0);
    times->addWidget(edOd_, 0, 1);
    times->addWidget(setup::makeLabel(QStringLiteral("hod."), this), 0, 2);
    times->addWidget(udOdHodina_, 0, 3);
    times->addWidget(setup::makeLabel(QStringLiteral("min."), this), 0, 4);
    times->addWidget(udOdMinuta_, 0, 5);
    times->addWidget(setup::makeLabel(QStringLiteral("Do"), this), 1, 0);
    times->addWidget(edDo_, 1, 1);
    times->addWidget(setup::makeLabel(QStringLiteral("hod."), this), 1, 2);
    times->addWidget(udDoHodina_, 1, 3);
    times->addWidget(setup::makeLabel(QStringLiteral("min."), this), 1, 4);
    times->addWidget(udDoMinuta_, 1, 5);
    times->setColumnStretch(6, 1);

    auto* dayBox = new QGroupBox(QStringLiteral("platí pro"), this);
    dayBox->setToolTip(QStringLiteral("platí pro"));
    auto* dayLayout = new QVBoxLayout(dayBox);
    const char* names[] = {"Pondělí", "Úterý", "Středa", "Čtvrtek", "Pátek", "Sobota", "Neděle"};
    for (int d = 0; d < 7; ++d) {
        days_[static_cast<std::size_t>(d)] = new QCheckBox(ui::toQ(names[d]), dayBox);
        days_[static_cast<std::size_t>(d)]->setObjectName(QStringLiteral("CheckBox%1").arg(d + 1));
        days_[static_cast<std::size_t>(d)]->setToolTip(QStringLiteral("platí pro"));
        dayLayout->addWidget(days_[static_cast<std::size_t>(d)]);
    }

    graph_ = new WeekGraph(QStringLiteral("imGraf"), this);

    auto* btPrerusit = setup::makeButton(QStringLiteral("přerušit"), QStringLiteral("btPrerusit"),
                                         QStringLiteral("zpět, beze změny"), this);
    auto* btHotovo = setup::makeButton(QStringLiteral("hotovo"), QStringLiteral("btHotovo"),
                                       QStringLiteral("hotovo, převzít složku"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btPrerusit);
    buttons->addWidget(btHotovo);

    auto* middle = new QHBoxLayout;
    middle->addWidget(dayBox);
    middle->addWidget(graph_, 0, Qt::AlignTop);
    auto* box = new QVBoxLayout(this);
    box->addLayout(times);
    box->addLayout(middle);
    box->addLayout(buttons);

    // The starting values, then the limits; a stored window that ends before it
    // starts (a foreign file) is shown moved up to its start.
    for (auto [spin, value] : {std::pair{udOdHodina_, hourOf(segment_.from)},
                               std::pair{udOdMinuta_, minuteOf(segment_.from)},
                               std::pair{udDoHodina_, hourOf(segment_.to)},
                               std::pair{udDoMinuta_, minuteOf(segment_.to)}}) {
        spin->setValue(value);
    }
    for (int d = 0; d < 7; ++d) {
        days_[static_cast<std::size_t>(d)]->setChecked((segment_.dayMask & (kMonday >> d)) != 0);
    }
    timeChanged();

    for (QSpinBox* s : {udOdHodina_, udOdMinuta_, udDoHodina_, udDoMinuta_}) {
        connect(s, &QSpinBox::valueChanged, this, &TSLR::timeChanged);
    }
    for (QCheckBox* c : days_) {
        connect(c, &QCheckBox::clicked, this, &TSLR::dayClicked);
    }
    connect(btPrerusit, &QPushButton::clicked, this, &QDialog::reject);
    connect(btHotovo, &QPushButton::clicked, this, &QDialog::accept);
}

// Both limits of "Do" follow every change, so that no order of clicks leaves a
// window ending before it starts.
void TSLR::timeChanged() {
    {
        const QSignalBlocker b1(udDoHodina_);
        const QSignalBlocker b2(udDoMinuta_);
        const ToLimits limits =
            toLimits(udOdHodina_->value(), udOdMinuta_->value(), udDoHodina_->value());
        udDoHodina_->setMinimum(limits.hour);
        udDoMinuta_->setMinimum(limits.minute);
    }
    segment_.from = makeHourMinute(udOdHodina_->value(), udOdMinuta_->value());
    segment_.to = makeHourMinute(udDoHodina_->value(), udDoMinuta_->value());
    showSegment();
}

void TSLR::dayClicked() {
    std::uint8_t mask = 0;
    for (int d = 0; d < 7; ++d) {
        if (days_[static_cast<std::size_t>(d)]->isChecked()) {
            mask |= static_cast<std::uint8_t>(kMonday >> d);
        }
    }
    segment_.dayMask = mask;
    showSegment();
}

void TSLR::showSegment() {
    edOd_->setText(ui::toQ(hourMinuteText(segment_.from)));
    edDo_->setText(ui::toQ(hourMinuteText(segment_.to)));
    graph_->setSegments(std::span(&segment_, 1));
}

} // namespace qtr::access
