#include "events/forms/event_page.h"

#include "base/date_time.h"
#include "events/event_load_note.h"
#include "ui/message_routines.h"
#include "ui/named_button.h"
#include "ui/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qtr {

namespace {

constexpr int kColumnWidths[] = {80, 64, 507};
constexpr const char* kSortNames[] = {"vše",      "adresa", "klíč", "datum",
                                      "výsledek", "pom-1",  "pom-2"};

} // namespace

bool loadEventTable(EventTable& table, const std::filesystem::path& file, const std::string& name) {
    const EventLoadResult loaded = table.load(file);
    if (const std::string note = eventLoadNote(loaded, table.count(), name); !note.empty()) {
        ui::messageOk(ui::toQ(note), {}, loaded.file ? u'!' : u'E');
    }
    return loaded.file.ok();
}

EventPage::EventPage(EventTable& table, const EventDecoder& decoder, bool serviceMode,
                     QWidget* parent)
    : QWidget(parent), table_(table), decoder_(decoder) {
    setObjectName(QStringLiteral("EventPage"));

    grid_ = new QTableWidget(kRows, 3, this);
    grid_->setObjectName(QStringLiteral("sgUdalosti"));
    grid_->setHorizontalHeaderLabels(
        {QStringLiteral("Datum"), QStringLiteral("Čas"), QStringLiteral("Událost")});
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFocusPolicy(Qt::StrongFocus);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setWordWrap(false);
    for (int c = 0; c < 3; ++c) {
        grid_->setColumnWidth(c, kColumnWidths[c]);
    }
    grid_->horizontalHeader()->setStretchLastSection(true);
    const int rowHeight = grid_->fontMetrics().height() + 6;
    for (int r = 0; r < kRows; ++r) {
        grid_->setRowHeight(r, rowHeight);
        for (int c = 0; c < 3; ++c) {
            grid_->setItem(r, c, new QTableWidgetItem);
        }
    }
    const int frame = 2 * grid_->frameWidth();
    grid_->setMinimumSize(kColumnWidths[0] + kColumnWidths[1] + kColumnWidths[2] + frame,
                          kRows * rowHeight + grid_->horizontalHeader()->sizeHint().height() +
                              frame);
    grid_->installEventFilter(this);

    navigation_ = new QWidget(this);
    navigation_->setObjectName(QStringLiteral("pnNavigace"));
    sbPrvni_ = navButton(QStringLiteral("|<"), "sbPrvni", QStringLiteral("první událost"));
    sbPredchozi_ =
        navButton(QStringLiteral("<"), "sbPredchozi", QStringLiteral("předchozí událost"));
    sbDalsi_ = navButton(QStringLiteral(">"), "sbDalsi", QStringLiteral("další událost"));
    sbPosledni_ = navButton(QStringLiteral(">|"), "sbPosledni", QStringLiteral("poslední událost"));
    sbStrankaZpet_ = navButton(QStringLiteral("<<"), "sbStrankaZpet",
                               QStringLiteral("o stránku zpět (Page Up)"));
    sbStrankaVpred_ = navButton(QStringLiteral(">>"), "sbStrankaVpred",
                                QStringLiteral("o stránku dál (Page Down)"));
    laPozice_ = new QLabel(navigation_);
    laPozice_->setObjectName(QStringLiteral("laPozice"));
    laPozice_->setToolTip(QStringLiteral("pozice / počet"));
    laPozice_->setMinimumWidth(110);
    laPozice_->setAlignment(Qt::AlignCenter);
    laPozice_->setFrameShape(QFrame::StyledPanel);
    laPozice_->setFrameShadow(QFrame::Sunken);
    cbHex_ = new QCheckBox(QStringLiteral("hex"), navigation_);
    cbHex_->setObjectName(QStringLiteral("cbHex"));
    cbHex_->setToolTip(QStringLiteral("události jako šestnáctkový výpis (servisní režim)"));
    cbHex_->setEnabled(serviceMode);

    auto* row = new QHBoxLayout(navigation_);
    row->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : {sbPrvni_, sbStrankaZpet_, sbPredchozi_}) {
        row->addWidget(b);
    }
    row->addWidget(laPozice_);
    for (QPushButton* b : {sbDalsi_, sbStrankaVpred_, sbPosledni_}) {
        row->addWidget(b);
    }
    row->addSpacing(16);
    row->addWidget(cbHex_);
    row->addStretch(1);

    rgTridit_ = new QGroupBox(QStringLiteral("Třídit"), this);
    rgTridit_->setObjectName(QStringLiteral("rgTridit"));
    sorts_ = new QButtonGroup(this);
    auto* sortBox = new QVBoxLayout(rgTridit_);
    for (int kind = 0; kind < 7; ++kind) {
        auto* rb = new QRadioButton(QString::fromUtf8(kSortNames[kind]), rgTridit_);
        rb->setObjectName(QStringLiteral("rbTridit%1").arg(kind));
        sorts_->addButton(rb, kind);
        sortBox->addWidget(rb);
    }
    sortBox->addStretch(1);
    sorts_->button(0)->setChecked(true);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_, 0, 0);
    layout->addWidget(rgTridit_, 0, 1, Qt::AlignTop);
    layout->addWidget(navigation_, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);

    connect(sbPrvni_, &QPushButton::clicked, this, &EventPage::firstClick);
    connect(sbPredchozi_, &QPushButton::clicked, this, &EventPage::previousClick);
    connect(sbDalsi_, &QPushButton::clicked, this, &EventPage::nextClick);
    connect(sbPosledni_, &QPushButton::clicked, this, &EventPage::lastClick);
    connect(sbStrankaZpet_, &QPushButton::clicked, this, &EventPage::pageBackClick);
    connect(sbStrankaVpred_, &QPushButton::clicked, this, &EventPage::pageForwardClick);
    connect(cbHex_, &QCheckBox::toggled, this, &EventPage::redisplay);
    connect(sorts_, &QButtonGroup::idClicked, this, &EventPage::sortClick);
    redisplay();
}

QPushButton* EventPage::navButton(const QString& text, const char* name, const QString& hint) {
    QPushButton* b = ui::makeButton(text, QString::fromLatin1(name), hint, navigation_);
    b->setFixedWidth(40);
    return b;
}

void EventPage::redisplay() {
    const int count = table_.count();
    // A filter that kept nothing leaves the old cursor behind; an empty table has none.
    const int cursor = count == 0 ? 0 : table_.cursor();
    for (int r = 0; r < kRows; ++r) {
        const int i = cursor + r;
        QString cells[3];
        if (count > 0 && i <= count) {
            if (table_.get(i)) {
                const EventRecord& e = table_.current();
                cells[0] = ui::toQ(formatDateTime("dd.mm.yyyy", e.timestamp));
                cells[1] = ui::toQ(formatDateTime("hh:nn:ss", e.timestamp));
                cells[2] = ui::toQ(cbHex_->isChecked() ? eventDump(e) : decoder_.describe(e));
            } else {
                cells[0] = cells[1] = cells[2] = QStringLiteral("?");
            }
        }
        for (int c = 0; c < 3; ++c) {
            grid_->item(r, c)->setText(cells[c]);
        }
    }
    laPozice_->setText(QStringLiteral("%1/%2").arg(cursor).arg(count));
    sbPrvni_->setEnabled(cursor > 1);
    sbPredchozi_->setEnabled(cursor > 1);
    sbDalsi_->setEnabled(cursor + 15 < count);
    sbPosledni_->setEnabled(cursor + 15 < count);
    sbStrankaZpet_->setEnabled(cursor > kRows && count > 0);
    sbStrankaVpred_->setEnabled(cursor + kRows < count);
}

void EventPage::selectAllAndSort() {
    sorts_->button(0)->setChecked(true);
    sortClick(0);
}

SortKind EventPage::sortKind() const {
    return static_cast<SortKind>(sorts_->checkedId());
}

void EventPage::sortClick(int kind) {
    table_.sort(static_cast<SortKind>(kind));
    table_.first();
    redisplay();
}

void EventPage::moveTo(int cursor) {
    if (table_.count() == 0) {
        return;
    }
    table_.setCursor(cursor);
    redisplay();
}

void EventPage::firstClick() {
    moveTo(1);
}

void EventPage::previousClick() {
    if (table_.cursor() > 1) {
        moveTo(table_.cursor() - 1);
    }
}

void EventPage::nextClick() {
    if (table_.cursor() < table_.count()) {
        moveTo(table_.cursor() + 1);
    }
}

void EventPage::lastClick() {
    moveTo(table_.count());
}

void EventPage::pageBackClick() {
    if (table_.cursor() - kRows >= 1) {
        moveTo(table_.cursor() - kRows);
    }
}

void EventPage::pageForwardClick() {
    if (table_.cursor() + kRows <= table_.count()) {
        moveTo(table_.cursor() + kRows);
    }
}

bool EventPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_PageUp) {
            pageBackClick();
            return true;
        }
        if (key == Qt::Key_PageDown) {
            pageForwardClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qtr
