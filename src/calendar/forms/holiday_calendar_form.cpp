#include "calendar/forms/holiday_calendar_form.h"

#include "calendar/calendar_arithmetic.h"
#include "calendar/calendar_reports.h"
#include "calendar/forms/month_tabs.h"
#include "calendar/holiday_calendar.h"
#include "calendar/standard_fill.h"
#include "docs/forms/output_window.h"
#include "setup/editor_widgets.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_navigator.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

namespace qtr::calendar {

using setup::makeButton;
using ui::fromQ;
using ui::toQ;

namespace {

constexpr const char* kNewHolidayName = "nový svátek";

} // namespace

TSVATKY::TSVATKY(HolidayCalendar& calendar, std::filesystem::path dir, int currentYear,
                 QWidget* parent)
    : QDialog(parent), calendar_(calendar), dir_(std::move(dir)) {
    setObjectName(QStringLiteral("TSVATKY"));
    setWindowTitle(QStringLiteral("Přehled svátků a nepracovních dnů organizace"));
    setToolTip(QStringLiteral("databáze kalendáře"));
    setStyleSheet(setup::editorStyleSheet());

    seRok_ = new QSpinBox(this);
    seRok_->setObjectName(QStringLiteral("seRok"));
    seRok_->setToolTip(QStringLiteral("nastavení aktuálního roku"));
    seRok_->setRange(kFirstCalendarYear, kLastCalendarYear);
    seRok_->setValue(std::clamp(currentYear, kFirstCalendarYear, kLastCalendarYear));

    navigator_ = new ui::RecordNavigator(this);
    edDatum_ = setup::makeEdit(QStringLiteral("edDatum"), QStringLiteral("datum svátku"), this);
    edDatum_->setReadOnly(true);
    edNazev_ = setup::makeEdit(QStringLiteral("edNazev"), QStringLiteral("název svátku"), this);
    edNazev_->setMaxLength(40);

    btPridat_ = makeButton(QStringLiteral("přidat"), QStringLiteral("btPridat"),
                           QStringLiteral("přidá nový svátek"), this);
    btText_ = makeButton(QStringLiteral("text"), QStringLiteral("btText"),
                         QStringLiteral("změní název svátku"), this);
    btUlozit_ = makeButton(QStringLiteral("uložit"), QStringLiteral("btUlozit"),
                           QStringLiteral("uloží svátek"), this);
    btPrerusit_ = makeButton(QStringLiteral("přerušit"), QStringLiteral("btPrerusit"),
                             QStringLiteral("zpět, beze změny"), this);
    btSmazat_ = makeButton(QStringLiteral("smazat"), QStringLiteral("btSmazat"),
                           QStringLiteral("smaže svátek"), this);
    btSmazatRok_ = makeButton(QStringLiteral("Smazat rok"), QStringLiteral("btSmazatRok"),
                              QStringLiteral("smaže všechny svátky nastaveného roku"), this);
    btStandard_ = makeButton(QStringLiteral("Standard "), QStringLiteral("btStandard"),
                             QStringLiteral("doplní rok svátky ze souboru SVATKY.INI"), this);
    btPrehled_ = makeButton(QStringLiteral("celý přehled "), QStringLiteral("btPrehled"),
                            QStringLiteral("vypíše všechny evidované svátky"), this);
    btRocniKalendar_ =
        makeButton(QStringLiteral("roční kalendář"), QStringLiteral("btRocniKalendar"),
                   QStringLiteral("vypíše kalendář nastaveného roku podle SVATKY.INI"), this);

    // The month calendar panel of "přidat".
    pnKalendar_ = new QFrame(this);
    pnKalendar_->setObjectName(QStringLiteral("pnKalendar"));
    pnKalendar_->setFrameShape(QFrame::StyledPanel);
    tcMesice_ = makeMonthTabs(pnKalendar_);
    calKalendar_ = new QCalendarWidget(pnKalendar_);
    calKalendar_->setObjectName(QStringLiteral("calKalendar"));
    calKalendar_->setFirstDayOfWeek(Qt::Monday);
    calKalendar_->setNavigationBarVisible(false);
    calKalendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calKalendar_->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    auto* panelBox = new QVBoxLayout(pnKalendar_);
    auto* hint = new QLabel(QStringLiteral("Dvojité poklepání vybere datum"), pnKalendar_);
    panelBox->addWidget(hint);
    panelBox->addWidget(tcMesice_);
    panelBox->addWidget(calKalendar_);
    pnKalendar_->hide();

    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(new QLabel(QStringLiteral("Rok:"), this));
    yearRow->addWidget(seRok_);
    yearRow->addStretch(1);
    yearRow->addWidget(navigator_);

    auto* fields = new QGridLayout;
    fields->addWidget(setup::makeLabel(QStringLiteral("Datum"), this), 0, 0);
    fields->addWidget(edDatum_, 0, 1);
    fields->addWidget(setup::makeLabel(QStringLiteral("Název"), this), 1, 0);
    fields->addWidget(edNazev_, 1, 1);
    fields->setColumnMinimumWidth(1, 320);

    auto* editButtons = new QHBoxLayout;
    for (auto* b : {btPridat_, btText_, btUlozit_, btPrerusit_, btSmazat_}) {
        editButtons->addWidget(b);
    }
    auto* yearButtons = new QHBoxLayout;
    for (auto* b : {btSmazatRok_, btStandard_, btPrehled_, btRocniKalendar_}) {
        yearButtons->addWidget(b);
    }
    auto* box = new QVBoxLayout(this);
    box->addLayout(yearRow);
    box->addLayout(fields);
    box->addLayout(editButtons);
    box->addLayout(yearButtons);
    box->addWidget(pnKalendar_);
    box->setSizeConstraint(QLayout::SetFixedSize);

    ui::navigateTable(navigator_, this, calendar_.holidays, [this] {
        display();
        setMode(Mode::Browse);
    });
    connect(seRok_, &QSpinBox::valueChanged, this, &TSVATKY::seRokChange);
    connect(tcMesice_, &QTabBar::currentChanged, this, &TSVATKY::showCalendarPage);
    connect(calKalendar_, &QCalendarWidget::activated, this, &TSVATKY::calKalendarDblClick);
    connect(btPridat_, &QPushButton::clicked, this, &TSVATKY::btPridatClick);
    connect(btText_, &QPushButton::clicked, this, &TSVATKY::btTextClick);
    connect(btUlozit_, &QPushButton::clicked, this, &TSVATKY::btUlozitClick);
    connect(btPrerusit_, &QPushButton::clicked, this, &TSVATKY::btPrerusitClick);
    connect(btSmazat_, &QPushButton::clicked, this, &TSVATKY::btSmazatClick);
    connect(btSmazatRok_, &QPushButton::clicked, this, &TSVATKY::btSmazatRokClick);
    connect(btStandard_, &QPushButton::clicked, this, &TSVATKY::btStandardClick);
    connect(btPrehled_, &QPushButton::clicked, this, &TSVATKY::btPrehledClick);
    connect(btRocniKalendar_, &QPushButton::clicked, this, &TSVATKY::btRocniKalendarClick);

    calendar_.holidays.sortByDate();
    calendar_.holidays.first();
    showCalendarPage();
    display();
    setMode(Mode::Browse);
}

int TSVATKY::year() const {
    return seRok_->value();
}

void TSVATKY::display() {
    const HolidayRecord& h = calendar_.holidays.current();
    // A holiday being added has no date until one is picked in the calendar.
    edDatum_->setText(h.holidayDate == 0.0 ? QString() : toQ(holidayDateText(h.holidayDate)));
    edNazev_->setText(toQ(h.holidayName.text()));
}

void TSVATKY::setMode(Mode mode) {
    mode_ = mode;
    const bool browse = mode == Mode::Browse;
    const HolidayTable& t = calendar_.holidays;
    const bool any = t.count() > 0;
    navigator_->setPosition(t.position(), t.count());
    navigator_->firstButton()->setEnabled(browse && t.position() > 1);
    navigator_->previousButton()->setEnabled(browse && t.position() > 1);
    navigator_->nextButton()->setEnabled(browse && t.position() < t.count());
    navigator_->lastButton()->setEnabled(browse && t.position() < t.count());
    seRok_->setEnabled(browse);
    edNazev_->setEnabled(!browse);
    btUlozit_->setEnabled(!browse);
    btPrerusit_->setEnabled(!browse);
    btPridat_->setEnabled(browse);
    btText_->setEnabled(browse && any);
    btSmazat_->setEnabled(browse && any);
    btSmazatRok_->setEnabled(browse && any);
    std::error_code ec;
    btStandard_->setEnabled(browse && std::filesystem::exists(dir_ / kStandardHolidaysFile, ec));
    btPrehled_->setEnabled(browse);
    btRocniKalendar_->setEnabled(browse);
    if (browse) {
        pnKalendar_->hide();
    }
}

void TSVATKY::seRokChange() {
    showCalendarPage();
}

void TSVATKY::showCalendarPage() {
    const int y = year();
    calKalendar_->setDateRange(QDate(y, 1, 1), QDate(y, 12, 31));
    const int month = tcMesice_->currentIndex() + 1;
    calKalendar_->setCurrentPage(y, month);
    if (calKalendar_->selectedDate().month() != month) {
        calKalendar_->setSelectedDate(QDate(y, month, 1));
    }
}

void TSVATKY::btPridatClick() {
    HolidayRecord& h = calendar_.holidays.current();
    h = HolidayRecord{};
    h.holidayName.setText(kNewHolidayName);
    display();
    setMode(Mode::New);
    showCalendarPage();
    pnKalendar_->show();
    calKalendar_->setFocus();
}

void TSVATKY::calKalendarDblClick() {
    const QDate d = calKalendar_->selectedDate();
    calendar_.holidays.current().holidayDate = encodeDate(d.year(), d.month(), d.day());
    pnKalendar_->hide();
    display();
    edNazev_->setFocus();
    edNazev_->selectAll();
}

void TSVATKY::btTextClick() {
    setMode(Mode::ChangeName);
    edNazev_->setFocus();
}

void TSVATKY::btUlozitClick() {
    HolidayTable& t = calendar_.holidays;
    if (mode_ == Mode::New) {
        if (t.current().holidayDate == 0.0) {
            // Without a day the holiday would be stored as 30 December 1899.
            ui::messageOk(QStringLiteral("Vyberte datum svátku dvojitým poklepáním v kalendáři."),
                          {}, u'W');
            pnKalendar_->show();
            return;
        }
        HolidayRecord h = t.current();
        h.holidayName.setText(fromQ(edNazev_->text()));
        const HolidayStore s = t.TryStore(h);
        if (!s.message().empty()) {
            showMessages({s.message()});
        }
        if (s.outcome == HolidayStore::Outcome::Stored) {
            t.last();
        } else {
            t.reloadCurrent();
        }
    } else if (mode_ == Mode::ChangeName) {
        t.current().holidayName.setText(fromQ(edNazev_->text()));
        t.storeCurrent();
    }
    display();
    setMode(Mode::Browse);
}

void TSVATKY::btPrerusitClick() {
    calendar_.holidays.reloadCurrent();
    display();
    setMode(Mode::Browse);
}

void TSVATKY::btSmazatClick() {
    if (!ui::confirmRecordDeletion()) {
        return;
    }
    calendar_.holidays.deleteRecord(calendar_.holidays.position());
    display();
    setMode(Mode::Browse);
}

void TSVATKY::btSmazatRokClick() {
    if (ui::messageOkCancel(QStringLiteral("Skutečně smazat celý rok?"), {}, u'W') !=
        ui::MessageAnswer::Ok) {
        return;
    }
    calendar_.holidays.deleteYear(year());
    display();
    setMode(Mode::Browse);
}

void TSVATKY::btStandardClick() {
    const StandardFill fill =
        fillYearFromStandard(calendar_.holidays, year(), readStandardHolidays(dir_), dir_);
    showMessages(fill.messages);
    display();
    setMode(Mode::Browse);
}

void TSVATKY::btPrehledClick() {
    showReport(dir_, holidayListingLines(calendar_.holidays), this);
}

void TSVATKY::btRocniKalendarClick() {
    calendar_.holidays.sortByDate();
    calendar_.holidays.reloadCurrent();
    display();
    std::vector<std::string> messages;
    BuildDayTypes(calendar_.dayTypes, year(), readStandardHolidays(dir_), messages);
    showMessages(messages);
    showReport(dir_, yearlyCalendarLines(calendar_.dayTypes), this);
}

void TSVATKY::showMessages(const std::vector<std::string>& messages) {
    for (const std::string& m : messages) {
        ui::messageOk(toQ(m).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), {}, u'E');
    }
}

} // namespace qtr::calendar
