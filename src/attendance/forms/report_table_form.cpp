#include "attendance/forms/report_table_form.h"

#include "attendance/forms/form_parts.h"
#include "attendance/report_table.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_editor.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qtr {

TDM00005::TDM00005(EvaluationResult& result, const AttendanceCodeList& codes,
                   const std::string& holderName, QWidget* parent)
    : QDialog(parent), result_(result), codes_(codes) {
    setObjectName(QStringLiteral("TDM00005"));
    setWindowTitle(ui::toQ("Sestava pro: " + holderName));
    const auto headings = reportTableHeadings(codes);
    StringGrid1_ = new QTableWidget(31, static_cast<int>(headings.size()), this);
    StringGrid1_->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1_->setToolTip(
        QStringLiteral("Klepnutím na údaj vyvoláte jeho opravu (jen červeně nadepsané sloupce)"));
    StringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1_->verticalHeader()->setDefaultSectionSize(22);
    for (int c = 0; c < static_cast<int>(headings.size()); ++c) {
        auto* h = new QTableWidgetItem(ui::toQ(headings[static_cast<std::size_t>(c)]));
        if (reportTableColumnEditable(c)) {
            h->setForeground(QColor(0xc0, 0, 0));
        }
        StringGrid1_->setHorizontalHeaderItem(c, h);
    }
    StringGrid1_->setColumnWidth(0, 130);
    StringGrid1_->setColumnWidth(1, 130);

    pnOprava_ = new QFrame(this);
    pnOprava_->setObjectName(QStringLiteral("pnOprava"));
    laOprava_ = new QLabel(pnOprava_);
    laOprava_->setObjectName(QStringLiteral("laOprava"));
    laSloupec_ = new QLabel(pnOprava_);
    laSloupec_->setObjectName(QStringLiteral("laSloupec"));
    edHodnota_ = new QLineEdit(pnOprava_);
    edHodnota_->setObjectName(QStringLiteral("edHodnota"));
    btHotovo_ = ui::makeButton(QStringLiteral("Hotovo"), QStringLiteral("btHotovo"),
                               QStringLiteral("uloží údaj"), pnOprava_);
    auto* btPrerusit = ui::makeButton(QStringLiteral("Přerušit"), QStringLiteral("btPrerusit"),
                                      QStringLiteral("údaj nechá beze změny"), pnOprava_);
    auto* panel = new QGridLayout(pnOprava_);
    panel->addWidget(laOprava_, 0, 0, 1, 3);
    panel->addWidget(laSloupec_, 1, 0);
    panel->addWidget(edHodnota_, 1, 1);
    auto* panelButtons = new QHBoxLayout;
    panelButtons->addWidget(btHotovo_);
    panelButtons->addWidget(btPrerusit);
    panel->addLayout(panelButtons, 1, 2);
    pnOprava_->hide();

    auto* box = new QVBoxLayout(this);
    box->addWidget(StringGrid1_, 1);
    box->addWidget(pnOprava_);
    resize(1000, 760);

    connect(StringGrid1_, &QTableWidget::cellClicked, this,
            [this](int row, int column) { StringGrid1Click(row + 1, column); });
    connect(edHodnota_, &QLineEdit::textChanged, this, &TDM00005::valueChanged);
    connect(btHotovo_, &QPushButton::clicked, this, &TDM00005::btHotovoClick);
    connect(btPrerusit, &QPushButton::clicked, this, &TDM00005::closePanel);
    fill();
}

void TDM00005::fill() {
    for (int d = 1; d <= 31; ++d) {
        QStringList cells;
        for (const std::string& cell : reportTableRow(result_, codes_, d)) {
            cells << ui::toQ(cell);
        }
        attendance::setGridRow(*StringGrid1_, d - 1, cells);
    }
}

void TDM00005::StringGrid1Click(int day, int column) {
    if (!reportTableColumnEditable(column) || periodDateOfDay(result_, day) == 0.0 ||
        column >= StringGrid1_->columnCount()) {
        return;
    }
    day_ = day;
    column_ = column;
    laOprava_->setText(QStringLiteral("Oprava údaje ") + StringGrid1_->item(day - 1, 0)->text());
    laSloupec_->setText(StringGrid1_->horizontalHeaderItem(column)->text());
    edHodnota_->setText(StringGrid1_->item(day - 1, column)->text());
    StringGrid1_->setEnabled(false);
    pnOprava_->show();
    valueChanged();
}

void TDM00005::valueChanged() {
    const bool text = column_ == kReportTableNoteColumn || column_ == kReportTableRemarkColumn;
    btHotovo_->setEnabled(text || parseClockValue(ui::fromQ(edHodnota_->text())).has_value());
}

void TDM00005::btHotovoClick() {
    const std::string refusal =
        storeReportTableEdit(result_, codes_, day_, column_, ui::fromQ(edHodnota_->text()));
    if (!refusal.empty()) {
        ui::messageOk(ui::toQ(refusal), {}, u'!');
        return;
    }
    closePanel();
    fill();
}

void TDM00005::closePanel() {
    pnOprava_->hide();
    StringGrid1_->setEnabled(true);
}

} // namespace qtr
