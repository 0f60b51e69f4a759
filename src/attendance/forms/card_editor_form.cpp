#include "attendance/forms/card_editor_form.h"

#include "attendance/attendance_time.h"
#include "attendance/card_building.h"
#include "attendance/card_checks.h"
#include "attendance/card_editing.h"
#include "attendance/card_text.h"
#include "attendance/forms/code_list_form.h"
#include "attendance/forms/date_time_dialog.h"
#include "attendance/forms/form_parts.h"
#include "attendance/forms/report_layout_form.h"
#include "attendance/report_texts.h"
#include "docs/forms/output_window.h"
#include "ui/date_conversion.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_editor.h"
#include "ui/ui_services.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qtr {
namespace {

constexpr const char* kNoEvents = "Chybí originální události docházky!";
const QString kSavFilter = QStringLiteral("specifický soubor (*.SAV);;všechny soubory (*.*)");

} // namespace

TDM00006::TDM00006(AttendanceSession& session, const std::string& holderName, QWidget* parent)
    : QDialog(parent), s_(session), holderName_(holderName) {
    setObjectName(QStringLiteral("TDM00006"));
    StringGrid1_ = new QTableWidget(AttendanceCard::kLineCapacity, 6, this);
    StringGrid1_->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1_->setHorizontalHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Začátek"),
                                             QStringLiteral("Konec"), QStringLiteral("Doba"),
                                             QStringLiteral("Druh"), QStringLiteral("Poznámka")});
    StringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1_->verticalHeader()->setDefaultSectionSize(22);
    StringGrid1_->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < 6; ++c) {
        StringGrid1_->setColumnWidth(c, c == 0 ? 120 : c == 4 ? 130 : 100);
    }

    auto* rgOperace = new QGroupBox(QStringLiteral("operace se seznamem událostí"), this);
    rgOperace->setObjectName(QStringLiteral("rgOperace"));
    auto* radios = new QHBoxLayout(rgOperace);
    const char* names[] = {"rbProhlizet", "rbOpravovat", "rbVkladat", "rbMazat"};
    const char* texts[] = {"prohlížet", "opravovat", "vkládat", "mazat"};
    for (int i = 0; i < 4; ++i) {
        rbOperace_[i] = new QRadioButton(QString::fromUtf8(texts[i]), rgOperace);
        rbOperace_[i]->setObjectName(QString::fromLatin1(names[i]));
        radios->addWidget(rbOperace_[i]);
    }

    dtOd_ = attendance::datePicker("dtOd", this);
    dtDo_ = attendance::datePicker("dtDo", this);
    pnInterval_ = attendance::intervalWarning(QStringLiteral("Nevhodný časový interval!"), this);
    laObvykleOd_ = new QLabel(this);
    laObvykleOd_->setObjectName(QStringLiteral("laObvykleOd"));
    laObvykleDo_ = new QLabel(this);
    laObvykleDo_->setObjectName(QStringLiteral("laObvykleDo"));
    laDoplnovat_ = new QLabel(this);
    laDoplnovat_->setObjectName(QStringLiteral("laDoplnovat"));
    cbSoNe_ = new QCheckBox(QStringLiteral("také so/ne"), this);
    cbSoNe_->setObjectName(QStringLiteral("cbSoNe"));
    ProgressBar1_ = new QProgressBar(this);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setValue(0);
    btZastavit_ = ui::makeButton(QStringLiteral("zastavit"), QStringLiteral("btZastavit"),
                                 QStringLiteral("zastaví zpracování událostí"), this);
    btZastavit_->setEnabled(false);
    connect(btZastavit_, &QPushButton::clicked, this, [this] { stopRequested_ = true; });

    auto* tools = new QGridLayout;
    int place = 0;
    auto add = [&](QPushButton* b) {
        tools->addWidget(b, place / 2, place % 2);
        ++place;
    };
    add(button(QStringLiteral("Platnost podle obsahu"), "btPlatnost", &TDM00006::btPlatnostClick));
    add(button(QStringLiteral("Vymazat všechna data"), "btVymazat", &TDM00006::btVymazatClick,
               true));
    add(button(QStringLiteral("Originální data"), "btOriginal", &TDM00006::btOriginalClick, true));
    add(button(QStringLiteral("Konstantní data"), "btKonstantni", &TDM00006::btKonstantniClick,
               true));
    add(button(QStringLiteral("Hodnoty úprav"), "btHodnoty", &TDM00006::btHodnotyClick));
    add(button(QStringLiteral("UPRAVIT"), "btUpravit", &TDM00006::btUpravitClick, true));
    add(button(QStringLiteral("vytisknout"), "btVytisknout", &TDM00006::btVytisknoutClick));
    add(button(QStringLiteral("zapsat do"), "btZapsat", &TDM00006::btZapsatClick));
    add(button(QStringLiteral("číst ze"), "btCist", &TDM00006::btCistClick));
    add(button(QStringLiteral("Smazat pozn."), "btSmazatPozn", &TDM00006::btSmazatPoznClick));
    btKorekce_ = button(QStringLiteral("Korekce"), "btKorekce", &TDM00006::btKorekceClick);
    add(btKorekce_);
    add(button(QStringLiteral("Dny směn"), "btDnySmen", &TDM00006::btDnySmenClick));
    add(button(QStringLiteral("Dílčí doby"), "btDilciDoby", &TDM00006::btDilciDobyClick));
    add(button(QStringLiteral("Kontrola"), "btKontrola", &TDM00006::btKontrolaClick));
    add(button(QStringLiteral("Hledat chybu"), "btHledat", &TDM00006::btHledatClick));
    add(button(QStringLiteral("Úpravy číselníku"), "btCiselnik", &TDM00006::btCiselnikClick));
    auto* btPouzit = ui::makeButton(QStringLiteral("použít"), QStringLiteral("btPouzit"),
                                    QStringLiteral("převezme kartu"), this);
    auto* btPrerusit = ui::makeButton(QStringLiteral("přerušit"), QStringLiteral("btPrerusit"),
                                      QStringLiteral("zpět, kartu neukládat"), this);
    connect(btPouzit, &QPushButton::clicked, this, &QDialog::accept);
    connect(btPrerusit, &QPushButton::clicked, this, &QDialog::reject);

    auto* period = new QHBoxLayout;
    period->addWidget(new QLabel(QStringLiteral("Datum od - do"), this));
    period->addWidget(dtOd_);
    period->addWidget(dtDo_);
    period->addWidget(pnInterval_);
    period->addStretch(1);
    auto* usual = new QHBoxLayout;
    usual->setSpacing(16);
    for (QWidget* w : std::initializer_list<QWidget*>{laObvykleOd_, laObvykleDo_, laDoplnovat_}) {
        usual->addWidget(w);
    }
    usual->addStretch(1);
    auto* side = new QVBoxLayout;
    side->addLayout(tools);
    side->addWidget(cbSoNe_);
    side->addStretch(1);
    side->addWidget(ProgressBar1_);
    side->addWidget(btZastavit_);
    auto* closing = new QHBoxLayout;
    closing->addWidget(btPouzit);
    closing->addWidget(btPrerusit);
    side->addLayout(closing);
    auto* left = new QVBoxLayout;
    left->addLayout(period);
    left->addLayout(usual);
    left->addWidget(StringGrid1_, 1);
    left->addWidget(rgOperace);
    auto* box = new QHBoxLayout(this);
    box->addLayout(left, 1);
    box->addLayout(side);
    resize(1040, 640);

    connect(StringGrid1_, &QTableWidget::cellClicked, this,
            [this](int row, int column) { StringGrid1Click(row + 1, column); });
    connect(dtOd_, &QDateEdit::dateChanged, this, &TDM00006::periodChanged);
    connect(dtDo_, &QDateEdit::dateChanged, this, &TDM00006::periodChanged);

    if (s_.events.count() == 0) {
        ui::messageOk(QString::fromUtf8(kNoEvents), {}, u'!');
    }
    editorCheck();
    setOperation(Operation::Browse);
    const AttendanceCard& card = s_.data.card;
    const bool dated = card.dateFrom != 0.0 && card.dateTo != 0.0 &&
                       isCalendarValue(card.dateFrom) && isCalendarValue(card.dateTo);
    const QSignalBlocker blockFrom(dtOd_);
    const QSignalBlocker blockTo(dtDo_);
    dtOd_->setDate(ui::toQDate(dated ? card.dateFrom : s_.clock.now()));
    dtDo_->setDate(ui::toQDate(dated ? card.dateTo : s_.clock.now()));
    refresh();
}

QPushButton* TDM00006::button(const QString& text, const char* name, void (TDM00006::*op)(),
                              bool confirm) {
    auto* b = ui::makeButton(text, QString::fromLatin1(name), QString(), this);
    connect(b, &QPushButton::clicked, this, [this, b, op, confirm] { run(b, op, confirm); });
    return b;
}

void TDM00006::run(QPushButton* b, void (TDM00006::*op)(), bool confirm) {
    if (confirm && ui::messageYesNo(b->text(), QStringLiteral("POTVRDIT OPERACI"), u'Q') !=
                       ui::MessageAnswer::Yes) {
        return;
    }
    (this->*op)();
    setOperation(Operation::Browse);
    showWithDateMessages();
}

TDM00006::Operation TDM00006::operation() const {
    for (int i = 0; i < 4; ++i) {
        if (rbOperace_[i]->isChecked()) {
            return static_cast<Operation>(i);
        }
    }
    return Operation::Browse;
}

void TDM00006::setOperation(Operation op) {
    rbOperace_[static_cast<int>(op)]->setChecked(true);
}

void TDM00006::refresh() {
    const AttendanceCard& card = s_.data.card;
    setWindowTitle(ui::toQ("Docházková karta: " + holderName_ + " " + cardDateText(card.dateFrom) +
                           " - " + cardDateText(card.dateTo)));
    laObvykleOd_->setText(ui::toQ(usualStartText(card)));
    laObvykleDo_->setText(ui::toQ(usualEndText(card)));
    laDoplnovat_->setText(ui::toQ(fillMissingText(card)));
    btKorekce_->setEnabled(card.fillMissing != 0);
    for (int i = 1; i <= AttendanceCard::kLineCapacity; ++i) {
        QStringList cells(6);
        if (i <= card.lineCount()) {
            const CardLine& l = card.line(i);
            cells = {ui::toQ(shiftDayText(l.shiftDay)),
                     ui::toQ(cardTimeText(l.start)),
                     ui::toQ(cardTimeText(l.end)),
                     ui::toQ(cardDurationText(l.duration)),
                     ui::toQ(s_.data.codeList.codeName(l.code)),
                     ui::toQ(l.note.text())};
        }
        attendance::setGridRow(*StringGrid1_, i - 1, cells);
    }
}

void TDM00006::showWithDateMessages() {
    AttendanceCard& card = s_.data.card;
    const DateTime from = ui::dayCountOf(dtOd_->date());
    const DateTime to = ui::dayCountOf(dtDo_->date());
    if (card.dateFrom != 0.0 && card.dateTo != 0.0) {
        if (from > dayOf(card.dateTo) || to < dayOf(card.dateFrom)) {
            ui::messageOk(QStringLiteral("#Datum karty - #Datum zpracování"), {}, u'!');
        }
    } else {
        card.dateFrom = from;
        card.dateTo = to;
        ui::messageOk(QStringLiteral("Úprava data karty."), {}, u'!');
    }
    refresh();
}

void TDM00006::periodChanged() {
    const DateTime from = ui::dayCountOf(dtOd_->date());
    const DateTime to = ui::dayCountOf(dtDo_->date());
    if (!intervalValid(from, to)) {
        pnInterval_->show();
        return;
    }
    pnInterval_->hide();
    s_.data.card.dateFrom = from;
    s_.data.card.dateTo = to;
    refresh();
}

bool TDM00006::editorCheck() {
    return checkCard(s_.data.card);
}

void TDM00006::storeAndCheck(const CardLine& line, int i) {
    s_.data.card.putLine(i, line);
    editorCheck();
    refresh();
}

void TDM00006::StringGrid1Click(int i, int column) {
    AttendanceCard& card = s_.data.card;
    const Operation op = operation();
    if (op == Operation::Insert) {
        if (card.insertLine(i, card.dateFrom, s_.data.workingLine)) {
            setOperation(Operation::Change);
            editorCheck();
            refresh();
        }
        return;
    }
    if (op == Operation::Browse || !card.getLine(i, s_.data.workingLine)) {
        return;
    }
    if (op == Operation::Delete) {
        card.deleteLine(i);
        refresh();
        return;
    }
    CardLine& line = s_.data.workingLine;
    switch (column) {
    case 0:
        if (line.shiftDay == 0.0) {
            if (line.start != 0.0) {
                line.shiftDay = dayOf(line.start);
            } else {
                line.note.setText("#den směny");
            }
            storeAndCheck(line, i);
        }
        break;
    case 1:
    case 2: {
        const TimeChoice c = column == 1 ? startChoice(card, i, s_.data.codeList)
                                         : endChoice(card, i, s_.data.codeList);
        TEDTTM dialog(ui::toQ(c.title), c.lower, c.upper, card.usualStart, card.usualEnd, c.initial,
                      this);
        if (ui::execModal(dialog) == QDialog::Accepted) {
            (column == 1 ? line.start : line.end) = dialog.value();
            storeAndCheck(line, i);
        }
        break;
    }
    case 3: // the check computes the durations of all lines, this one's among them
        storeAndCheck(line, i);
        break;
    case 4: {
        TDM00001 codes(s_.data, s_.dir, s_.clock, true, this);
        if (ui::execModal(codes) == QDialog::Accepted) {
            setLineCode(line, s_.data.workingCode.code, card);
        }
        storeAndCheck(line, i);
        break;
    }
    default:
        break;
    }
}

void TDM00006::btPlatnostClick() {
    AttendanceCard& card = s_.data.card;
    card.dateFrom = dayOf(firstTimeOfCard(card));
    card.dateTo = dayOf(lastTimeOfCard(card));
}

void TDM00006::btVymazatClick() {
    s_.data.card.removeAllLines();
}

void TDM00006::btOriginalClick() {
    if (s_.events.count() == 0) {
        ui::messageOk(QString::fromUtf8(kNoEvents), {}, u'!');
        return;
    }
    ProgressBar1_->setMaximum(s_.events.count());
    ProgressBar1_->setValue(0);
    stopRequested_ = false;
    btZastavit_->setEnabled(true);
    int walked = 0;
    const EventBuildResult r = buildFromEvents(s_.data.card, s_.events, [this, &walked] {
        ProgressBar1_->setValue(++walked);
        QApplication::processEvents();
        return !stopRequested_;
    });
    btZastavit_->setEnabled(false);
    ProgressBar1_->setValue(0);
    if (r.cardFull) {
        ui::messageOk(QStringLiteral("Karta je plná (300 řádků), pozdější události nebyly "
                                     "zpracovány."),
                      {}, u'!');
    } else if (r.interrupted) {
        ui::messageOk(QStringLiteral("Zpracování událostí bylo zastaveno; další se převezmou při "
                                     "příštím \"Originální data\"."),
                      {}, u'I');
    }
}

void TDM00006::btKonstantniClick() {
    buildFromUsualShift(s_.data.card, cbSoNe_->isChecked());
}

void TDM00006::btHodnotyClick() {
    TDM00008 steps(s_.data.rounding, this);
    ui::execModal(steps);
}

void TDM00006::btUpravitClick() {
    if (roundFirstAndLast(s_.data.card, s_.data.rounding)) {
        ui::messageOk(QStringLiteral("Některé události byly vypuštěny!"), QStringLiteral("UPRAVIT"),
                      u'!');
    }
}

void TDM00006::btVytisknoutClick() {
    setShiftDays(s_.data.card);
    showReport(s_.dir,
               cardPrintoutLines(kCardPrintoutTitle, holderName_, s_.data.card, s_.data.codeList),
               this);
}

void TDM00006::btZapsatClick() {
    const auto chosen = ui::dialogProvider().saveFileName(
        this, QStringLiteral("Určete soubor pro zápis"), QStringLiteral("KARTA.SAV"), kSavFilter);
    if (!chosen) {
        return;
    }
    QString file = *chosen;
    if (QFileInfo(file).suffix().isEmpty()) {
        file += QStringLiteral(".SAV");
    }
    if (FileResult r = writeCardFile(file.toStdString(), s_.data.card); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
}

void TDM00006::btCistClick() {
    const auto chosen = ui::dialogProvider().openFileName(
        this, QStringLiteral("Vyberte soubor pro čtení"), QString(), kSavFilter);
    if (!chosen) {
        return;
    }
    if (FileResult r = s_.cards.save(s_.data.card); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
    if (FileResult r = readCardFile(chosen->toStdString(), s_.data.card); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
    editorCheck();
}

void TDM00006::btSmazatPoznClick() {
    clearNotes(s_.data.card);
}

void TDM00006::btKorekceClick() {
    AttendanceCard& card = s_.data.card;
    clearDurations(card);
    fillMissing(card);
    setShiftDays(card);
    computeDurations(card);
}

void TDM00006::btDnySmenClick() {
    setShiftDays(s_.data.card);
}

void TDM00006::btDilciDobyClick() {
    computeDurations(s_.data.card);
}

void TDM00006::btKontrolaClick() {
    editorCheck();
}

void TDM00006::btHledatClick() {
    LineFault fault;
    if (checkLines(s_.data.card, true, &fault)) {
        ui::messageOk(QStringLiteral("Formálně správná tabulka."), QStringLiteral("Hledat chybu"),
                      u'I');
        return;
    }
    clearDurations(s_.data.card);
    refresh();
    StringGrid1_->setCurrentCell(fault.line - 1, fault.column);
}

void TDM00006::btCiselnikClick() {
    attendance::editCodeList(s_.data, s_.dir, s_.clock, this);
}

bool attendance::editWorkingCard(AttendanceSession& session, const std::string& holderName,
                                 QWidget* parent) {
    TDM00006 editor(session, holderName, parent);
    if (ui::execModal(editor) != QDialog::Accepted) {
        return false;
    }
    if (FileResult r = session.cards.save(session.data.card); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
    return true;
}

} // namespace qtr
