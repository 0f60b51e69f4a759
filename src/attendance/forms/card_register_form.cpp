#include "attendance/forms/card_register_form.h"

#include "attendance/attendance_time.h"
#include "attendance/card_text.h"
#include "attendance/forms/card_editor_form.h"
#include "attendance/forms/form_parts.h"
#include "db/configuration_database.h"
#include "docs/forms/report_pages.h"
#include "setup/key_picker_dialog.h"
#include "ui/date_conversion.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_editor.h"
#include "ui/ui_services.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <vector>

namespace qtr {

TDM00007::TDM00007(AttendanceSession& session, bool selection, QWidget* parent)
    : QDialog(parent), s_(session) {
    setObjectName(QStringLiteral("TDM00007"));
    setWindowTitle(QStringLiteral("Rozpracované docházkové karty"));
    ListBox1_ = new QListWidget(this);
    ListBox1_->setObjectName(QStringLiteral("ListBox1"));
    ListBox1_->setSortingEnabled(true);
    ListBox1_->setFont(reportFont());
    btNova_ = ui::makeButton(QStringLiteral("nová"), QStringLiteral("btNova"),
                             QStringLiteral("založí kartu nositeli klíče"), this);
    btOpravit_ = ui::makeButton(QStringLiteral("opravit parametry"), QStringLiteral("btOpravit"),
                                QStringLiteral("obvyklá směna karty"), this);
    btUdalosti_ = ui::makeButton(QStringLiteral("události"), QStringLiteral("btUdalosti"),
                                 QStringLiteral("řádky karty"), this);
    auto* btZpet = ui::makeButton(QStringLiteral("zpět"), QStringLiteral("btZpet"),
                                  QStringLiteral("bez výběru"), this);
    btVybrat_ = ui::makeButton(QStringLiteral("vybrat"), QStringLiteral("btVybrat"),
                               QStringLiteral("převezme vybranou kartu"), this);
    btZpet->setVisible(selection);
    btVybrat_->setVisible(selection);

    pnParametry_ = new QGroupBox(QStringLiteral("Parametry karty"), this);
    pnParametry_->setObjectName(QStringLiteral("pnParametry"));
    laJmeno_ = new QLabel(pnParametry_);
    laJmeno_->setObjectName(QStringLiteral("laJmeno"));
    auto timePicker = [this](const char* name) {
        auto* t = attendance::timePicker(name, pnParametry_);
        connect(t, &QTimeEdit::timeChanged, this, &TDM00007::showNightLabel);
        return t;
    };
    dtOd_ = timePicker("dtOd");
    dtDo_ = timePicker("dtDo");
    cbDoplnit_ =
        new QCheckBox(QStringLiteral("pokud chybí, použít obvyklé parametry"), pnParametry_);
    cbDoplnit_->setObjectName(QStringLiteral("cbDoplnit"));
    laNocni_ = new QLabel(QStringLiteral("noční"), pnParametry_);
    laNocni_->setObjectName(QStringLiteral("laNocni"));
    auto pattern = [this](const QString& text, const char* name, ShiftPattern p) {
        auto* b = ui::makeButton(text, QString::fromLatin1(name), QString(), pnParametry_);
        connect(b, &QPushButton::clicked, this, [this, p] {
            s_.data.card.applyPattern(p);
            showCard();
        });
        return b;
    };
    btPanelZpet_ = ui::makeButton(QStringLiteral("zpět"), QStringLiteral("btPanelZpet"),
                                  QStringLiteral("beze změny"), pnParametry_);
    btPouzit_ = ui::makeButton(QStringLiteral("použít"), QStringLiteral("btPouzit"),
                               QStringLiteral("uloží kartu"), pnParametry_);
    auto* form = new QFormLayout(pnParametry_);
    form->addRow(QStringLiteral("Jméno nositele:"), laJmeno_);
    form->addRow(QStringLiteral("Obvyklý počátek směny"), dtOd_);
    auto* endRow = new QHBoxLayout;
    endRow->addWidget(dtDo_);
    endRow->addWidget(laNocni_);
    form->addRow(QStringLiteral("Obvyklý konec směny"), endRow);
    form->addRow(QString(), cbDoplnit_);
    auto* patterns = new QHBoxLayout;
    patterns->addWidget(pattern(QStringLiteral("ranní"), "btRanni", ShiftPattern::Morning));
    patterns->addWidget(
        pattern(QStringLiteral("odpolední"), "btOdpoledni", ShiftPattern::Afternoon));
    patterns->addWidget(pattern(QStringLiteral("noční"), "btNocni", ShiftPattern::Night));
    form->addRow(QStringLiteral("Vzory:"), patterns);
    auto* panelButtons = new QHBoxLayout;
    panelButtons->addStretch(1);
    panelButtons->addWidget(btPanelZpet_);
    panelButtons->addWidget(btPouzit_);
    form->addRow(panelButtons);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btNova_, btOpravit_, btUdalosti_}) {
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    buttons->addWidget(btZpet);
    buttons->addWidget(btVybrat_);
    auto* box = new QVBoxLayout(this);
    box->addWidget(ListBox1_, 1);
    box->addWidget(pnParametry_);
    box->addLayout(buttons);
    resize(640, 520);

    connect(ListBox1_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBox1Click(ListBox1_->row(item)); });
    connect(btNova_, &QPushButton::clicked, this, &TDM00007::btNovaClick);
    connect(btOpravit_, &QPushButton::clicked, this, [this] { openPanel(Mode::Change); });
    connect(btUdalosti_, &QPushButton::clicked, this, &TDM00007::btUdalostiClick);
    connect(btPouzit_, &QPushButton::clicked, this, &TDM00007::btPouzitClick);
    connect(btPanelZpet_, &QPushButton::clicked, this, &TDM00007::browseState);
    connect(btZpet, &QPushButton::clicked, this, &QDialog::reject);
    connect(btVybrat_, &QPushButton::clicked, this, &QDialog::accept);
    fillList();
    browseState();
}

void TDM00007::fillList() {
    std::vector<AttendanceCard> cards;
    if (FileResult r = s_.cards.readAll(cards); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
    ListBox1_->clear();
    for (const AttendanceCard& c : cards) {
        ListBox1_->addItem(ui::toQ(registerListLine(s_.db.keyHolders.nameOfKey(c.keyNumber), c)));
    }
}

void TDM00007::browseState() {
    mode_ = Mode::Browse;
    ListBox1_->clearSelection();
    ListBox1_->setEnabled(true);
    btNova_->setEnabled(true);
    btOpravit_->setEnabled(false);
    btUdalosti_->setEnabled(false);
    btVybrat_->setEnabled(false);
    pnParametry_->setEnabled(false);
    btPanelZpet_->hide();
    btPouzit_->hide();
}

void TDM00007::showCard() {
    const AttendanceCard& card = s_.data.card;
    laJmeno_->setText(ui::toQ(s_.db.keyHolders.nameOfKey(card.keyNumber)));
    dtOd_->setTime(ui::toQTime(timeOfDay(card.usualStart)));
    dtDo_->setTime(ui::toQTime(timeOfDay(card.usualEnd)));
    cbDoplnit_->setChecked(card.fillMissing != 0);
    showNightLabel();
}

void TDM00007::showNightLabel() {
    laNocni_->setVisible(dtDo_->time() < dtOd_->time());
}

void TDM00007::ListBox1Click(int row) {
    if (mode_ != Mode::Browse || row < 0 || row >= ListBox1_->count()) {
        return;
    }
    ListBox1_->setCurrentRow(row);
    if (!s_.cards.find(keyOfRegisterLine(ui::fromQ(ListBox1_->item(row)->text())))) {
        if (!s_.cards.fileError().empty()) {
            ui::messageOk(ui::toQ(s_.cards.fileError()), {}, u'E');
        }
        return;
    }
    s_.data.card = s_.cards.found();
    btOpravit_->setEnabled(true);
    btUdalosti_->setEnabled(true);
    btVybrat_->setEnabled(true);
    showCard();
}

void TDM00007::openPanel(Mode mode) {
    mode_ = mode;
    ListBox1_->setEnabled(false);
    for (QPushButton* b : {btNova_, btOpravit_, btUdalosti_, btVybrat_}) {
        b->setEnabled(false);
    }
    pnParametry_->setEnabled(true);
    btPanelZpet_->show();
    btPouzit_->show();
    showCard();
}

void TDM00007::btNovaClick() {
    setup::TSELK1 picker(s_.db.keyHolders, this);
    if (ui::execModal(picker) != QDialog::Accepted) {
        browseState();
        return;
    }
    const KeyNumber key = picker.chosenKey();
    AttendanceCard& card = s_.data.card;
    if (s_.cards.find(key)) {
        card = s_.cards.found();
        openPanel(Mode::Change);
        return;
    }
    card.clear();
    card.dateFrom = card.dateTo = dayOf(s_.clock.now());
    card.keyNumber = key;
    card.applyPattern(ShiftPattern::Morning);
    openPanel(Mode::New);
}

void TDM00007::btPouzitClick() {
    AttendanceCard& card = s_.data.card;
    card.fillMissing = cbDoplnit_->isChecked() ? 1 : 0;
    card.usualStart = ui::timeFractionOf(dtOd_->time());
    card.usualEnd = ui::timeFractionOf(dtDo_->time());
    const FileResult r = mode_ == Mode::New ? s_.cards.append(card) : s_.cards.update(card);
    if (!r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
    fillList();
    browseState();
}

void TDM00007::btUdalostiClick() {
    if (attendance::editWorkingCard(s_, s_.db.keyHolders.nameOfKey(s_.data.card.keyNumber), this)) {
        fillList();
        browseState();
    }
}

} // namespace qtr
