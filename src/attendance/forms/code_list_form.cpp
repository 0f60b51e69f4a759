#include "attendance/forms/code_list_form.h"

#include "attendance/attendance_time.h"
#include "attendance/forms/form_parts.h"
#include "attendance/report_texts.h"
#include "docs/forms/output_window.h"
#include "ui/date_conversion.h"
#include "ui/qt_text.h"
#include "ui/record_editor.h"
#include "ui/ui_services.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace qtr {
namespace {

constexpr int kGridRows = 256;

// A whole number typed into a field, or -1.
int wholeNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 0 ? n : -1;
}

QString timeCell(DateTime value) {
    const DateTime t = timeOfDay(value);
    return isCalendarValue(t) ? ui::toQ(formatDateTime("hh:nn:ss", t)) : QStringLiteral("?");
}

} // namespace

TDM00002::TDM00002(AttendanceCodeRecord& working, const AttendanceCodeList& list, int ownRow,
                   QWidget* parent)
    : QDialog(parent), working_(working), list_(list), ownRow_(ownRow) {
    setObjectName(QStringLiteral("TDM00002"));
    setWindowTitle(QStringLiteral("Záznam číselníku"));
    auto edit = [this](const char* name, const QString& hint) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setToolTip(hint);
        return e;
    };
    edKod_ = edit("edKod", QStringLiteral("jedninečný kód  <20,100>"));
    edNazev_ = edit("edNazev", QStringLiteral("význam (nemůže být prázdný)"));
    edNazev_->setMaxLength(20);
    cbVykon_ = new QCheckBox(QStringLiteral("sumarizace do výkonu"), this);
    cbVykon_->setObjectName(QStringLiteral("cbVykon"));
    teNejmene_ = attendance::timePicker("teNejmene", this);
    teNejmene_->setEnabled(false);
    teNejvyse_ = attendance::timePicker("teNejvyse", this);
    teNejvyse_->setToolTip(QStringLiteral("určuje maximální započtenou dobu"));
    edNadpis_ = edit("edNadpis", QString());
    edNadpis_->setMaxLength(20);
    edSirka_ = edit("edSirka", QString());
    rbVlevo_ = new QRadioButton(QStringLiteral("vlevo"), this);
    rbVlevo_->setObjectName(QStringLiteral("rbVlevo"));
    rbVpravo_ = new QRadioButton(QStringLiteral("vpravo"), this);
    rbVpravo_->setObjectName(QStringLiteral("rbVpravo"));
    auto* btZpet = ui::makeButton(QStringLiteral("zpět"), QStringLiteral("btZpet"),
                                  QStringLiteral("beze změny"), this);
    btHotovo_ = ui::makeButton(QStringLiteral("hotovo"), QStringLiteral("btHotovo"),
                               QStringLiteral("převzít záznam"), this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Kód"), edKod_);
    form->addRow(QStringLiteral("Název"), edNazev_);
    form->addRow(QString(), cbVykon_);
    form->addRow(QStringLiteral("Nejméně"), teNejmene_);
    form->addRow(QStringLiteral("Nejvýše"), teNejvyse_);
    auto* report = new QGroupBox(QStringLiteral("V sestavě"), this);
    auto* reportForm = new QFormLayout(report);
    reportForm->addRow(QStringLiteral("Nadpis"), edNadpis_);
    reportForm->addRow(QStringLiteral("Šířka"), edSirka_);
    auto* alignment = new QHBoxLayout;
    alignment->addWidget(rbVlevo_);
    alignment->addWidget(rbVpravo_);
    reportForm->addRow(QStringLiteral("Zarovnání"), alignment);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btZpet);
    buttons->addWidget(btHotovo_);
    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addWidget(report);
    box->addLayout(buttons);

    edKod_->setText(QString::number(working_.code));
    edKod_->setEnabled(working_.code == 0 || working_.code >= 20);
    edNazev_->setText(ui::toQ(working_.name.text()));
    cbVykon_->setChecked(working_.counts());
    teNejmene_->setTime(ui::toQTime(timeOfDay(working_.minimum)));
    teNejvyse_->setTime(ui::toQTime(timeOfDay(working_.maximum)));
    edNadpis_->setText(ui::toQ(working_.column.heading.text()));
    edSirka_->setText(QString::number(working_.column.width));
    (working_.column.leftAligned() ? rbVlevo_ : rbVpravo_)->setChecked(true);

    for (QLineEdit* e : {edKod_, edNazev_, edNadpis_, edSirka_}) {
        connect(e, &QLineEdit::textChanged, this, &TDM00002::fieldsChanged);
    }
    connect(btZpet, &QPushButton::clicked, this, &QDialog::reject);
    connect(btHotovo_, &QPushButton::clicked, this, &TDM00002::btHotovoClick);
    fieldsChanged();
}

void TDM00002::fieldsChanged() {
    bool ok = true;
    if (edKod_->isEnabled()) {
        const int code = wholeNumber(edKod_->text());
        ok = code >= 20 && code <= 99 && !list_.codeTakenByAnother(code, ownRow_);
    }
    const int width = wholeNumber(edSirka_->text());
    ok = ok && width >= 1 && width <= 255;
    ok = ok && !edNazev_->text().isEmpty() && !edNadpis_->text().isEmpty();
    btHotovo_->setEnabled(ok);
}

void TDM00002::btHotovoClick() {
    if (!btHotovo_->isEnabled()) {
        return;
    }
    if (edKod_->isEnabled()) {
        working_.code = static_cast<std::uint8_t>(wholeNumber(edKod_->text()));
    }
    working_.name.setText(ui::fromQ(edNazev_->text()));
    working_.maximum = ui::timeFractionOf(teNejvyse_->time());
    working_.minimum = ui::timeFractionOf(teNejmene_->time());
    working_.countsToPerformance = cbVykon_->isChecked() ? 1 : 0;
    working_.column.heading.setText(ui::fromQ(edNadpis_->text()));
    working_.column.width = static_cast<std::uint8_t>(wholeNumber(edSirka_->text()));
    working_.column.alignment = rbVpravo_->isChecked() ? 'P' : 'L';
    accept();
}

TDM00001::TDM00001(AttendanceData& data, std::filesystem::path dir, const Clock& clock,
                   bool choosing, QWidget* parent)
    : QDialog(parent), data_(data), dir_(std::move(dir)), clock_(clock), choosing_(choosing) {
    setObjectName(QStringLiteral("TDM00001"));
    setWindowTitle(choosing ? QStringLiteral("Výběr možností")
                            : QStringLiteral("Číselník docházky - druh práce"));
    StringGrid1_ = new QTableWidget(kGridRows, 8, this);
    StringGrid1_->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1_->setHorizontalHeaderLabels({QStringLiteral("Kód"), QStringLiteral("Název"),
                                             QStringLiteral("Nejméně"), QStringLiteral("Nejvíce"),
                                             QStringLiteral("Do výkonu"), QStringLiteral("Nadpis"),
                                             QStringLiteral("Šířka"), QStringLiteral("Zarovnání")});
    StringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1_->setSelectionBehavior(choosing ? QAbstractItemView::SelectRows
                                                : QAbstractItemView::SelectItems);
    StringGrid1_->verticalHeader()->setDefaultSectionSize(22);
    StringGrid1_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    laPocet_ = new QLabel(this);
    laPocet_->setObjectName(QStringLiteral("laPocet"));

    auto* rgVolba = new QGroupBox(QStringLiteral("volba operace"), this);
    rgVolba->setObjectName(QStringLiteral("rgVolba"));
    auto* radios = new QHBoxLayout(rgVolba);
    const char* names[] = {"rbProhlizet", "rbOpravit", "rbPridat", "rbSmazat"};
    const char* texts[] = {"prohlížet", "opravit", "přidat", "smazat"};
    for (int i = 0; i < 4; ++i) {
        rbOperace_[i] = new QRadioButton(QString::fromUtf8(texts[i]), rgVolba);
        rbOperace_[i]->setObjectName(QString::fromLatin1(names[i]));
        radios->addWidget(rbOperace_[i]);
    }
    setOperation(Operation::Browse);
    auto* btVypsat = ui::makeButton(QStringLiteral("vypsat"), QStringLiteral("btVypsat"),
                                    QStringLiteral("vytiskne číselník"), this);
    auto* btZpet = ui::makeButton(QStringLiteral("zpět"), QStringLiteral("btZpet"),
                                  QStringLiteral("bez výběru"), this);
    btVybrat_ = ui::makeButton(QStringLiteral("vybrat"), QStringLiteral("btVybrat"),
                               QStringLiteral("převezme vybraný druh práce"), this);
    btVybrat_->setEnabled(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(laPocet_);
    bottom->addWidget(rgVolba, 1);
    bottom->addWidget(btVypsat);
    bottom->addWidget(btZpet);
    bottom->addWidget(btVybrat_);
    auto* box = new QVBoxLayout(this);
    box->addWidget(StringGrid1_, 1);
    box->addLayout(bottom);
    rgVolba->setVisible(!choosing);
    btVypsat->setVisible(!choosing);
    btZpet->setVisible(choosing);
    btVybrat_->setVisible(choosing);
    resize(760, 460);

    connect(StringGrid1_, &QTableWidget::cellClicked, this,
            [this](int row, int) { StringGrid1Click(row + 1); });
    connect(btVypsat, &QPushButton::clicked, this, &TDM00001::btVypsatClick);
    connect(btZpet, &QPushButton::clicked, this, &QDialog::reject);
    connect(btVybrat_, &QPushButton::clicked, this, &QDialog::accept);
    display();
}

TDM00001::Operation TDM00001::operation() const {
    for (int i = 0; i < 4; ++i) {
        if (rbOperace_[i]->isChecked()) {
            return static_cast<Operation>(i);
        }
    }
    return Operation::Browse;
}

void TDM00001::setOperation(Operation op) {
    rbOperace_[static_cast<int>(op)]->setChecked(true);
}

void TDM00001::display() {
    const AttendanceCodeList& codes = data_.codeList;
    for (int row = 1; row <= kGridRows; ++row) {
        QStringList cells(8);
        if (row <= codes.count()) {
            const AttendanceCodeRecord& c = codes.at(row);
            cells = {QString::number(c.code),
                     ui::toQ(c.name.text()),
                     timeCell(c.minimum),
                     timeCell(c.maximum),
                     c.counts() ? QStringLiteral("ANO") : QStringLiteral("NE"),
                     ui::toQ(c.column.heading.text()),
                     QString::number(c.column.width),
                     QString(QChar(c.column.alignment >= 0x20 && c.column.alignment < 0x7F
                                       ? c.column.alignment
                                       : '?'))};
        }
        attendance::setGridRow(*StringGrid1_, row - 1, cells);
    }
    laPocet_->setText(QStringLiteral("%1/%2").arg(codes.count()).arg(selectedRow_));
}

void TDM00001::selectRow(int row) {
    selectedRow_ = row;
    StringGrid1_->setCurrentCell(row - 1, 0);
    display();
}

void TDM00001::StringGrid1Click(int row) {
    AttendanceCodeList& codes = data_.codeList;
    selectedRow_ = row;
    if (choosing_) {
        btVybrat_->setEnabled(codes.get(row, data_.workingCode) || btVybrat_->isEnabled());
        display();
        return;
    }
    switch (operation()) {
    case Operation::Browse:
        break;
    case Operation::Change:
        if (codes.get(row, data_.workingCode)) {
            TDM00002 record(data_.workingCode, codes, row, this);
            if (ui::execModal(record) == QDialog::Accepted) {
                codes.put(row, data_.workingCode);
                codes.sort();
            }
            setOperation(Operation::Browse);
        }
        break;
    case Operation::Add:
        if (row == codes.count() + 1) {
            data_.workingCode = AttendanceCodeRecord::blank();
            if (codes.append(data_.workingCode)) {
                setOperation(Operation::Change);
                selectRow(row);
                return;
            }
        }
        break;
    case Operation::Delete: {
        setOperation(Operation::Browse);
        const bool system =
            row <= codes.count() && codes.at(row).code >= 1 && codes.at(row).code <= 19;
        if (!system) {
            codes.remove(row);
        }
        break;
    }
    }
    display();
}

void TDM00001::btVypsatClick() {
    showReport(dir_, codeListLines(data_.codeList, clock_.now()), this);
}

} // namespace qtr
