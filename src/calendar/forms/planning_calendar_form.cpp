#include "calendar/forms/planning_calendar_form.h"

#include "calendar/calendar_arithmetic.h"
#include "calendar/calendar_reports.h"
#include "calendar/forms/month_tabs.h"
#include "calendar/holiday_calendar.h"
#include "docs/forms/output_window.h"
#include "setup/editor_widgets.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace qtr::calendar {

using setup::makeButton;
using ui::toQ;

namespace {

constexpr std::array kMonthWidths = {64, 24, 24, 24, 24, 24, 24, 24, 94, 94, 94};
constexpr std::array kPlanWidths = {64, 40, 40, 48, 48, 48};

QTableWidget* makeGrid(const QString& name, int rows, int columns, QWidget* parent) {
    auto* g = new QTableWidget(rows, columns, parent);
    g->setObjectName(name);
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 6);
    g->setWordWrap(false);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionMode(QAbstractItemView::NoSelection);
    g->setFocusPolicy(Qt::NoFocus);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return g;
}

// The columns get the widths of the layout, wider where today's fonts need more.
void fitColumns(QTableWidget* grid, std::span<const int> widths) {
    grid->resizeColumnsToContents();
    for (int c = 0; c < grid->columnCount(); ++c) {
        grid->setColumnWidth(c,
                             std::max(grid->columnWidth(c), widths[static_cast<std::size_t>(c)]));
    }
}

QCheckBox* makeCheck(const QString& text, const QString& name, bool on, QWidget* parent) {
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(name);
    c->setChecked(on);
    return c;
}

enum class Cell { Text, Number, Heading };

void setCell(QTableWidget* grid, int row, int column, const std::string& text, Cell kind) {
    auto* item = new QTableWidgetItem(toQ(text));
    if (kind == Cell::Number) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    } else if (kind == Cell::Heading) {
        item->setBackground(grid->palette().window());
        QFont bold = grid->font();
        bold.setBold(true);
        item->setFont(bold);
    }
    grid->setItem(row, column, item);
}

} // namespace

TPLNKAL::TPLNKAL(HolidayCalendar& calendar, std::filesystem::path dir, int currentYear,
                 QWidget* parent)
    : QDialog(parent), calendar_(calendar), dir_(std::move(dir)) {
    setObjectName(QStringLiteral("TPLNKAL"));
    setWindowTitle(QStringLiteral("Přehled svátků a nepracovních dnů"));

    // The month view.
    auto* monthPage = new QWidget(this);
    tcMesice_ = makeMonthTabs(monthPage);
    sgMesic_ = makeGrid(QStringLiteral("sgMesic"), kMonthGridRows, kMonthGridColumns, monthPage);
    sgMesic_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cbCeleTydny_ = makeCheck(QStringLiteral("zobrazovat celé týdny"), QStringLiteral("cbCeleTydny"),
                             false, monthPage);
    btRokMinus_ = makeButton(QStringLiteral("rok -"), QStringLiteral("btRokMinus"),
                             QStringLiteral("předchozí rok"), monthPage);
    btRokPlus_ = makeButton(QStringLiteral("rok +"), QStringLiteral("btRokPlus"),
                            QStringLiteral("následující rok"), monthPage);
    btPlanovaci_ = makeButton(QStringLiteral("Plánovací kalendář"), QStringLiteral("btPlanovaci"),
                              QStringLiteral("počty dnů po čtvrtletích, měsících, týdnech a "
                                             "dekádách"),
                              monthPage);
    auto* monthButtons = new QHBoxLayout;
    monthButtons->addWidget(cbCeleTydny_);
    monthButtons->addStretch(1);
    monthButtons->addWidget(btRokMinus_);
    monthButtons->addWidget(btRokPlus_);
    monthButtons->addWidget(btPlanovaci_);
    auto* monthBox = new QVBoxLayout(monthPage);
    monthBox->addWidget(tcMesice_);
    monthBox->addWidget(sgMesic_);
    monthBox->addLayout(monthButtons);
    monthBox->addStretch(1);

    // The planning panel.
    auto* planPage = new QWidget(this);
    planPage->setObjectName(QStringLiteral("pnPlan"));
    laPlanTitle_ = new QLabel(planPage);
    laPlanTitle_->setObjectName(QStringLiteral("laPlanTitle"));
    QFont titleFont = laPlanTitle_->font();
    titleFont.setBold(true);
    laPlanTitle_->setFont(titleFont);
    cbCtvrtleti_ =
        makeCheck(QStringLiteral("čtvrtletí"), QStringLiteral("cbCtvrtleti"), true, planPage);
    cbMesice_ = makeCheck(QStringLiteral("měsíce"), QStringLiteral("cbMesice"), true, planPage);
    cbTydny_ = makeCheck(QStringLiteral("týdny"), QStringLiteral("cbTydny"), true, planPage);
    cbDekady_ = makeCheck(QStringLiteral("dekády"), QStringLiteral("cbDekady"), false, planPage);
    sgPlan_ = makeGrid(QStringLiteral("sgPlan"), 0, 6, planPage);
    sgPlan_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sgPlan_->setMinimumHeight(14 * sgPlan_->verticalHeader()->defaultSectionSize());
    btVypsat_ = makeButton(QStringLiteral("vypsat"), QStringLiteral("btVypsat"),
                           QStringLiteral("vypíše plánovací kalendář"), planPage);
    btZpet_ = makeButton(QStringLiteral("zpět"), QStringLiteral("btZpet"),
                         QStringLiteral("zpět na měsíční kalendář"), planPage);
    auto* sections = new QHBoxLayout;
    for (auto* c : {cbCtvrtleti_, cbMesice_, cbTydny_, cbDekady_}) {
        sections->addWidget(c);
    }
    sections->addStretch(1);
    auto* planButtons = new QHBoxLayout;
    planButtons->addStretch(1);
    planButtons->addWidget(btVypsat_);
    planButtons->addWidget(btZpet_);
    auto* planBox = new QVBoxLayout(planPage);
    planBox->addWidget(laPlanTitle_);
    planBox->addLayout(sections);
    planBox->addWidget(sgPlan_);
    planBox->addLayout(planButtons);

    pages_ = new QStackedWidget(this);
    pages_->addWidget(monthPage);
    pages_->addWidget(planPage);
    auto* box = new QVBoxLayout(this);
    box->addWidget(pages_);

    connect(tcMesice_, &QTabBar::currentChanged, this, &TPLNKAL::tcMesiceChange);
    connect(cbCeleTydny_, &QCheckBox::clicked, this, &TPLNKAL::cbCeleTydnyClick);
    connect(btRokMinus_, &QPushButton::clicked, this, &TPLNKAL::btRokMinusClick);
    connect(btRokPlus_, &QPushButton::clicked, this, &TPLNKAL::btRokPlusClick);
    connect(btPlanovaci_, &QPushButton::clicked, this, &TPLNKAL::btPlanovaciClick);
    for (auto* c : {cbCtvrtleti_, cbMesice_, cbTydny_, cbDekady_}) {
        connect(c, &QCheckBox::clicked, this, &TPLNKAL::sectionClick);
    }
    connect(btVypsat_, &QPushButton::clicked, this, &TPLNKAL::btVypsatClick);
    connect(btZpet_, &QPushButton::clicked, this, &TPLNKAL::btZpetClick);

    // The year last shown stays, but its counts are computed again: the holidays
    // may have changed since, and the day types may come from SVATKY.INI meanwhile.
    const PlanningTable& kept = calendar_.planning;
    const bool keep = kept.year != 0 && kept.year == calendar_.dayTypes.year;
    showYear(keep ? kept.year : std::clamp(currentYear, kFirstCalendarYear, kLastCalendarYear));
}

int TPLNKAL::year() const {
    return calendar_.planning.year;
}

bool TPLNKAL::planningShown() const {
    return pages_->currentIndex() == 1;
}

void TPLNKAL::computeYear(int year) {
    ComputePlanning(calendar_.planning, calendar_.dayTypes, year, calendar_.holidays);
    btRokMinus_->setEnabled(year > kFirstCalendarYear);
    btRokPlus_->setEnabled(year < kLastCalendarYear);
}

void TPLNKAL::showYear(int year) {
    computeYear(year);
    if (tcMesice_->currentIndex() != 0) {
        tcMesice_->setCurrentIndex(0); // fills the grid
    } else {
        fillMonthGrid();
    }
}

void TPLNKAL::fillMonthGrid() {
    setWindowTitle(QStringLiteral("Měsíční kalendář: %1").arg(year()));
    const MonthGrid grid =
        monthGrid(calendar_.dayTypes, tcMesice_->currentIndex() + 1, cbCeleTydny_->isChecked());
    sgMesic_->clearContents();
    for (int r = 0; r < kMonthGridRows; ++r) {
        for (int c = 0; c < kMonthGridColumns; ++c) {
            const std::string& text =
                grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            if (!text.empty()) {
                const bool heading = r == 0 || (r == kMonthGridRows - 1 && c == 0);
                setCell(sgMesic_, r, c, text,
                        heading ? Cell::Heading : (c > 0 ? Cell::Number : Cell::Text));
            }
        }
    }
    fitColumns(sgMesic_, kMonthWidths);
    const int frame = 2 * sgMesic_->frameWidth();
    sgMesic_->setFixedSize(sgMesic_->horizontalHeader()->length() + frame,
                           sgMesic_->verticalHeader()->length() + frame);
}

void TPLNKAL::fillPlanningView() {
    const PlanningSections sections{cbCtvrtleti_->isChecked(), cbMesice_->isChecked(),
                                    cbTydny_->isChecked(), cbDekady_->isChecked()};
    planningRows_ = planningRows(calendar_.planning, sections);
    laPlanTitle_->setText(toQ(planningTitle(calendar_.planning)));
    sgPlan_->clearContents();
    sgPlan_->setRowCount(static_cast<int>(planningRows_.size()));
    for (int r = 0; r < static_cast<int>(planningRows_.size()); ++r) {
        const PlanningRow& row = planningRows_[static_cast<std::size_t>(r)];
        for (int c = 0; c < 6; ++c) {
            const Cell kind = r < 2 || row.sectionHeading ? Cell::Heading
                              : c > 2                     ? Cell::Number
                                                          : Cell::Text;
            setCell(sgPlan_, r, c, row.cells[static_cast<std::size_t>(c)], kind);
        }
    }
    fitColumns(sgPlan_, kPlanWidths);
    sgPlan_->setFixedWidth(sgPlan_->horizontalHeader()->length() + 2 * sgPlan_->frameWidth() +
                           sgPlan_->verticalScrollBar()->sizeHint().width());
}

void TPLNKAL::tcMesiceChange() {
    fillMonthGrid();
}

void TPLNKAL::cbCeleTydnyClick() {
    fillMonthGrid();
}

void TPLNKAL::btRokMinusClick() {
    showYear(year() - 1);
}

void TPLNKAL::btRokPlusClick() {
    showYear(year() + 1);
}

void TPLNKAL::btPlanovaciClick() {
    computeYear(year());
    fillPlanningView();
    pages_->setCurrentIndex(1);
}

void TPLNKAL::sectionClick() {
    fillPlanningView();
}

void TPLNKAL::btVypsatClick() {
    showReport(dir_, planningPrintLines(planningTitle(calendar_.planning), planningRows_), this);
}

void TPLNKAL::btZpetClick() {
    pages_->setCurrentIndex(0);
}

} // namespace qtr::calendar
