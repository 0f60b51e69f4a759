#include "attendance/forms/evaluation_form.h"

#include "attendance/card_checks.h"
#include "attendance/card_text.h"
#include "attendance/evaluation.h"
#include "attendance/forms/card_editor_form.h"
#include "attendance/forms/card_register_form.h"
#include "attendance/forms/form_parts.h"
#include "attendance/forms/report_layout_form.h"
#include "attendance/forms/report_table_form.h"
#include "attendance/report_texts.h"
#include "db/configuration_database.h"
#include "docs/forms/output_window.h"
#include "ui/date_conversion.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_editor.h"
#include "ui/ui_services.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

TDM00000::TDM00000(AttendanceSession& session, QWidget* parent) : QDialog(parent), s_(session) {
    setObjectName(QStringLiteral("TDM00000"));
    setWindowTitle(QStringLiteral("Vyhodnocení docházkových karet"));
    auto date = [this](const char* name) {
        auto* d = attendance::datePicker(name, this);
        d->setDate(ui::toQDate(s_.clock.now()));
        connect(d, &QDateEdit::dateChanged, this, &TDM00000::periodChanged);
        return d;
    };
    dtOd_ = date("dtOd");
    dtDo_ = date("dtDo");
    pnInterval_ =
        attendance::intervalWarning(QStringLiteral("Nevhodný interval zpracování!"), this);
    laPro_ = ui::makeButton(QString(), QStringLiteral("laPro"),
                            QStringLiteral("klepnutím vyberete jinou kartu"), this);
    // Clickable labels: they read as links, left where the other labels stand.
    const QString link = QStringLiteral("text-align: left; color: #1d3b8c; text-decoration: "
                                        "underline; border: none; padding: 2px 0;");
    laPro_->setFlat(true);
    laPro_->setStyleSheet(link);
    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    laPlatna_ = label("laPlatna");
    laObvykleOd_ = label("laObvykleOd");
    laObvykleDo_ = label("laObvykleDo");
    laDoplnovat_ = label("laDoplnovat");
    auto* laKarta = ui::makeButton(QStringLiteral("Docházková karta"), QStringLiteral("laKarta"),
                                   QStringLiteral("otevře kartu k opravám"), this);
    laKarta->setFlat(true);
    laKarta->setStyleSheet(link);
    auto* btCiselnik = ui::makeButton(QStringLiteral("Úpravy číselníku"),
                                      QStringLiteral("btCiselnik"), QString(), this);
    auto* btDefinice = ui::makeButton(QStringLiteral("Definice řádku"),
                                      QStringLiteral("btDefinice"), QString(), this);
    cbUpravy_ = new QCheckBox(QStringLiteral("úpravy před tiskem sestavy"), this);
    cbUpravy_->setObjectName(QStringLiteral("cbUpravy"));
    btZpracovat_ = ui::makeButton(QStringLiteral("Zpracovat"), QStringLiteral("btZpracovat"),
                                  QStringLiteral("vyhodnotí kartu a vytiskne výkaz"), this);
    auto* btKonec = ui::makeButton(QStringLiteral("konec"), QStringLiteral("btKonec"),
                                   QStringLiteral("zavře okno"), this);

    auto* period = new QHBoxLayout;
    period->addWidget(dtOd_);
    period->addWidget(dtDo_);
    period->addWidget(pnInterval_);
    period->addStretch(1);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Pro:"), laPro_);
    form->addRow(QStringLiteral("Platná od - do:"), laPlatna_);
    auto* usual = new QHBoxLayout;
    usual->setSpacing(16);
    usual->addWidget(laObvykleOd_);
    usual->addWidget(laObvykleDo_);
    usual->addStretch(1);
    form->addRow(QString(), usual);
    form->addRow(QString(), laDoplnovat_);
    form->addRow(QString(), laKarta);
    form->addRow(QStringLiteral("Zpracování od - do"), period);
    auto* tools = new QHBoxLayout;
    tools->addWidget(btCiselnik);
    tools->addWidget(btDefinice);
    tools->addStretch(1);
    auto* run = new QHBoxLayout;
    run->addWidget(cbUpravy_);
    run->addStretch(1);
    run->addWidget(btZpracovat_);
    run->addWidget(btKonec);
    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addLayout(tools);
    box->addLayout(run);
    resize(560, 300);

    connect(laPro_, &QPushButton::clicked, this, &TDM00000::laProClick);
    connect(laKarta, &QPushButton::clicked, this, &TDM00000::laKartaClick);
    connect(btCiselnik, &QPushButton::clicked, this, [this] {
        attendance::editCodeList(s_.data, s_.dir, s_.clock, this);
        periodChanged();
    });
    connect(btDefinice, &QPushButton::clicked, this, [this] {
        TDM00003 layout(s_.data, s_.dir, this);
        ui::execModal(layout);
    });
    connect(btZpracovat_, &QPushButton::clicked, this, &TDM00000::btZpracovatClick);
    connect(btKonec, &QPushButton::clicked, this, &QDialog::accept);
    cardChanged();
}

void TDM00000::cardChanged() {
    showLabels();
    if (known_ && !windowCheck()) {
        attendance::editWorkingCard(s_, holderName_, this);
    }
    periodChanged();
}

void TDM00000::showLabels() {
    const AttendanceCard& card = s_.data.card;
    known_ = s_.db.keyHolders.findByKey(card.keyNumber) != 0;
    if (!known_) {
        holderName_.clear();
        laPro_->setText(ui::toQ("# " + card.keyNumber.text()));
        laPlatna_->clear();
        laObvykleOd_->setText(QStringLiteral("Obvykle od: "));
        laObvykleDo_->setText(QStringLiteral("Obvykle do: "));
        laDoplnovat_->clear();
        return;
    }
    holderName_ = s_.db.keyHolders.nameOfKey(card.keyNumber);
    laPro_->setText(ui::toQ(holderName_));
    laPlatna_->setText(ui::toQ(cardDateText(card.dateFrom) + " - " + cardDateText(card.dateTo)));
    laObvykleOd_->setText(ui::toQ(usualStartText(card)));
    laObvykleDo_->setText(ui::toQ(usualEndText(card)));
    laDoplnovat_->setText(ui::toQ(fillMissingText(card)));
}

bool TDM00000::windowCheck() {
    return checkCard(s_.data.card);
}

void TDM00000::periodChanged() {
    const DateTime from = ui::dayCountOf(dtOd_->date());
    const DateTime to = ui::dayCountOf(dtDo_->date());
    if (!intervalValid(from, to)) {
        pnInterval_->show();
        btZpracovat_->setEnabled(false);
        return;
    }
    pnInterval_->hide();
    const AttendanceCard& card = s_.data.card;
    btZpracovat_->setEnabled(known_ && intervalsOverlap(card.dateFrom, card.dateTo, from, to) &&
                             windowCheck());
}

void TDM00000::laKartaClick() {
    attendance::editWorkingCard(s_, holderName_, this);
    showLabels();
    periodChanged();
}

void TDM00000::laProClick() {
    const KeyNumber previous = s_.data.card.keyNumber;
    TDM00007 chooser(s_, true, this);
    if (ui::execModal(chooser) != QDialog::Accepted) {
        if (s_.cards.find(previous)) {
            s_.data.card = s_.cards.found();
        } else {
            ui::messageOk(QStringLiteral("Nenalezena původní karta!"), {}, u'E');
            s_.data.card.clear();
        }
    }
    cardChanged();
}

void TDM00000::btZpracovatClick() {
    EvaluationResult result;
    if (!evaluationGate(s_.data.card, s_.data.codeList, holidayQuery(s_.holidays),
                        ui::dayCountOf(dtOd_->date()), ui::dayCountOf(dtDo_->date()), result)) {
        ui::messageOk(QStringLiteral("Chyby v docházkové kartě!"), {}, u'E');
        return;
    }
    if (cbUpravy_->isChecked()) {
        TDM00005 table(result, s_.data.codeList, holderName_, this);
        ui::execModal(table);
        summarizePeriod(result, s_.data.codeList);
    }
    showReport(s_.dir,
               attendanceReportLines(kReportTitle, holderName_, result, s_.data.rowDefinition),
               this);
}

} // namespace qtr
