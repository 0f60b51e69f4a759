#include "base/text_lines.h"
#include "base/win1250.h"
#include "calendar/forms/calendar_windows.h"
#include "calendar/forms/holiday_calendar_form.h"
#include "calendar/forms/planning_calendar_form.h"
#include "calendar/holiday_calendar.h"
#include "calendar/standard_holidays.h"
#include "docs/work_file.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"
#include "ui/record_navigator.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace qtr::calendar {
namespace {

using ui::MessageAnswer;

HolidayRecord holiday(int y, int m, int d, const char* name) {
    HolidayRecord h;
    h.holidayDate = encodeDate(y, m, d);
    h.holidayName.setText(name);
    return h;
}

void writeIni(const test::TempDir& dir, const std::string& utf8) {
    const std::string bytes = utf8ToWin1250(utf8);
    test::writeBytes(dir / kStandardHolidaysFile, {bytes.begin(), bytes.end()});
}

std::vector<std::string> workFileLines(const test::TempDir& dir) {
    std::vector<std::string> lines;
    for (const auto& l : splitWin1250Lines(test::readText(workFilePath(dir.path())))) {
        lines.push_back(win1250ToUtf8(l));
    }
    return lines;
}

// A window under test and its components found by name.
template <typename Form> struct Probe {
    template <typename... Args>
    explicit Probe(Args&&... args) : form(std::forward<Args>(args)...) {}
    Form form;

    template <typename T = QAbstractButton> T* get(const char* name) {
        T* w = form.template findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) { get(name)->click(); }
};

struct HolidaysWindow : Probe<TSVATKY> {
    HolidaysWindow(HolidayCalendar& c, const test::TempDir& dir, int year = 2026)
        : Probe(c, dir.path(), year) {}
    QString date() { return get<QLineEdit>("edDatum")->text(); }
    QString name() { return get<QLineEdit>("edNazev")->text(); }
    QString position() { return get<QLabel>("laPos")->text(); }
    void pickDay(int month, int day) {
        get<QTabBar>("tcMesice")->setCurrentIndex(month - 1);
        auto* cal = get<QCalendarWidget>("calKalendar");
        cal->setSelectedDate(QDate(form.year(), month, day));
        emit cal->activated(cal->selectedDate());
    }
    // Which controls are enabled, in the window's order; "-" marks a disabled one.
    std::string state() {
        std::string s;
        for (const char* n : {"seRok", "btFirst", "btPrior", "btNext", "btLast", "edNazev",
                              "btPridat", "btText", "btUlozit", "btPrerusit", "btSmazat",
                              "btSmazatRok", "btStandard", "btPrehled", "btRocniKalendar"}) {
            s += (form.findChild<QWidget*>(n)->isEnabled() ? "" : "-") + std::string(n) + " ";
        }
        return s;
    }
};

TEST(TSVATKY, ControlStatesOfEveryMode) {
    test::TempDir dir;
    HolidayCalendar c;
    {
        HolidaysWindow w(c, dir);
        EXPECT_EQ(w.state(), "seRok -btFirst -btPrior -btNext -btLast -edNazev btPridat -btText "
                             "-btUlozit -btPrerusit -btSmazat -btSmazatRok -btStandard btPrehled "
                             "btRocniKalendar ");
        EXPECT_EQ(w.position(), "0/0");
        EXPECT_FALSE(w.get<QFrame>("pnKalendar")->isVisibleTo(&w.form));
    }
    writeIni(dir, "01.01.Nový rok\r\n");
    (void)c.holidays.TryStore(holiday(2026, 12, 24, "Štědrý den"));
    (void)c.holidays.TryStore(holiday(2026, 1, 1, "Nový rok"));
    (void)c.holidays.TryStore(holiday(2025, 12, 31, "Silvestr"));
    HolidaysWindow w(c, dir);
    // Sorted when the window opens, the first holiday shown.
    EXPECT_EQ(w.date(), "31.12.2025 st");
    EXPECT_EQ(w.name(), "Silvestr");
    EXPECT_EQ(w.position(), "1/3");
    EXPECT_EQ(w.state(), "seRok -btFirst -btPrior btNext btLast -edNazev btPridat btText -btUlozit "
                         "-btPrerusit btSmazat btSmazatRok btStandard btPrehled btRocniKalendar ");
    w.click("btLast");
    EXPECT_EQ(w.name(), "Štědrý den");
    EXPECT_EQ(w.state(), "seRok btFirst btPrior -btNext -btLast -edNazev btPridat btText -btUlozit "
                         "-btPrerusit btSmazat btSmazatRok btStandard btPrehled btRocniKalendar ");
    const std::string editing =
        "-seRok -btFirst -btPrior -btNext -btLast edNazev -btPridat -btText "
        "btUlozit btPrerusit -btSmazat -btSmazatRok -btStandard -btPrehled "
        "-btRocniKalendar ";
    w.click("btText");
    EXPECT_EQ(w.form.mode(), TSVATKY::Mode::ChangeName);
    EXPECT_EQ(w.state(), editing);
    w.click("btPrerusit");
    w.click("btPridat");
    EXPECT_EQ(w.form.mode(), TSVATKY::Mode::New);
    EXPECT_EQ(w.state(), editing);
    EXPECT_TRUE(w.get<QFrame>("pnKalendar")->isVisibleTo(&w.form));
}

TEST(TSVATKY, TheYearSpinCoversTheCalendarYearsAndStartsAtTheCurrentOne) {
    test::TempDir dir;
    HolidayCalendar c;
    for (const auto& [current, shown] :
         std::vector<std::pair<int, int>>{{2026, 2026}, {1850, 1900}, {2150, 2099}}) {
        HolidaysWindow w(c, dir, current);
        auto* spin = w.get<QSpinBox>("seRok");
        EXPECT_EQ(spin->value(), shown);
        EXPECT_EQ(spin->minimum(), 1900);
        EXPECT_EQ(spin->maximum(), 2099);
    }
    HolidaysWindow w(c, dir);
    w.get<QSpinBox>("seRok")->setValue(2031);
    w.click("btPridat");
    auto* cal = w.get<QCalendarWidget>("calKalendar");
    EXPECT_EQ(cal->yearShown(), 2031);
    EXPECT_EQ(cal->minimumDate(), QDate(2031, 1, 1));
    EXPECT_EQ(cal->maximumDate(), QDate(2031, 12, 31));
    EXPECT_EQ(cal->firstDayOfWeek(), Qt::Monday);
    w.get<QTabBar>("tcMesice")->setCurrentIndex(10);
    EXPECT_EQ(cal->monthShown(), 11);
}

TEST(TSVATKY, AddingAHolidayByDoubleClickAndItsRefusals) {
    test::TempDir dir;
    HolidayCalendar c;
    (void)c.holidays.TryStore(holiday(2026, 1, 1, "Nový rok"));
    HolidaysWindow w(c, dir);
    test::UiResponder ui;

    w.click("btPridat");
    EXPECT_EQ(w.date(), "");
    EXPECT_EQ(w.name(), "nový svátek");
    // No day picked yet: nothing is stored as 30 December 1899.
    ui.expectMessage("Vyberte datum svátku");
    w.click("btUlozit");
    EXPECT_EQ(w.form.mode(), TSVATKY::Mode::New);
    EXPECT_EQ(c.holidays.count(), 1);

    w.pickDay(5, 8);
    EXPECT_FALSE(w.get<QFrame>("pnKalendar")->isVisibleTo(&w.form));
    EXPECT_EQ(w.date(), "08.05.2026 pá");
    w.get<QLineEdit>("edNazev")->setText("Den vítězství");
    w.click("btUlozit");
    ASSERT_EQ(c.holidays.count(), 2);
    EXPECT_EQ(c.holidays.at(2), holiday(2026, 5, 8, "Den vítězství"));
    EXPECT_EQ(w.position(), "2/2");
    EXPECT_EQ(w.form.mode(), TSVATKY::Mode::Browse);

    w.click("btPridat");
    w.pickDay(1, 1);
    ui.expectMessage("Duplicitní datum svátku - ignorováno\nNový rok");
    w.click("btUlozit");
    EXPECT_EQ(c.holidays.count(), 2);
    EXPECT_EQ(w.name(), "Den vítězství");

    while (c.holidays.count() < 100) {
        (void)c.holidays.TryStore(holiday(2040, 1, 1 + c.holidays.count() % 28, "x"));
        c.holidays.current().holidayDate += c.holidays.count() * 40;
        (void)c.holidays.TryStore(c.holidays.current());
    }
    w.click("btPridat");
    w.pickDay(12, 31);
    ui.expectMessage("Přeplněný kalendář!");
    w.click("btUlozit");
    EXPECT_EQ(c.holidays.count(), 100);
    EXPECT_EQ(c.holidays.findByDate(encodeDate(2026, 12, 31)), 0);
}

TEST(TSVATKY, RenameCancelDeleteAndDeleteYear) {
    test::TempDir dir;
    HolidayCalendar c;
    (void)c.holidays.TryStore(holiday(2026, 1, 1, "Nový rok"));
    (void)c.holidays.TryStore(holiday(2026, 12, 24, "Štědrý den"));
    (void)c.holidays.TryStore(holiday(2027, 1, 1, "Nový rok"));
    HolidaysWindow w(c, dir);
    test::UiResponder ui;

    w.click("btText");
    w.get<QLineEdit>("edNazev")->setText("Nový rok (zavřeno)");
    w.click("btPrerusit");
    EXPECT_EQ(w.name(), "Nový rok");
    w.click("btText");
    w.get<QLineEdit>("edNazev")->setText("Nový rok (zavřeno)");
    w.click("btUlozit");
    EXPECT_EQ(c.holidays.at(1).holidayName.text(), "Nový rok (zavřeno)");

    w.click("btNext");
    ui.expectMessage("Skutečně smazat tento záznam?", MessageAnswer::Cancel);
    w.click("btSmazat");
    EXPECT_EQ(c.holidays.count(), 3);
    ui.expectMessage("Skutečně smazat tento záznam?", MessageAnswer::Ok);
    w.click("btSmazat");
    EXPECT_EQ(c.holidays.count(), 2);
    EXPECT_EQ(w.date(), "01.01.2027 pá");

    ui.expectMessage("Skutečně smazat celý rok?", MessageAnswer::Cancel);
    w.click("btSmazatRok");
    EXPECT_EQ(c.holidays.count(), 2);
    ui.expectMessage("Skutečně smazat celý rok?", MessageAnswer::Ok);
    w.click("btSmazatRok");
    ASSERT_EQ(c.holidays.count(), 1);
    EXPECT_EQ(w.date(), "01.01.2027 pá");
    EXPECT_EQ(w.position(), "1/1");
}

TEST(TSVATKY, StandardReportsEachBadLineAndAnOverflowUndoesTheRun) {
    test::TempDir dir;
    writeIni(dir, "01.01.Nový rok\r\n1.5.Svátek práce\r\n24.12.Štědrý den\r\n");
    HolidayCalendar c;
    HolidaysWindow w(c, dir);
    test::UiResponder ui;
    w.get<QSpinBox>("seRok")->setValue(2003);
    ui.expectMessage("SVATKY.INI - chybné datum\n1.5.Svátek práce");
    w.click("btStandard");
    ASSERT_EQ(c.holidays.count(), 3);
    EXPECT_EQ(w.date(), "01.01.2003 st");
    EXPECT_EQ(c.holidays.at(2), holiday(2003, 4, 21, "Pondělí velikonoční"));
    EXPECT_EQ(std::filesystem::file_size(dir / kHolidaysFile), 3u * 49u);

    while (c.holidays.count() < 98) {
        (void)c.holidays.TryStore(holiday(2050, 1, 1, "x"));
        c.holidays.current().holidayDate += c.holidays.count();
        (void)c.holidays.TryStore(c.holidays.current());
    }
    w.get<QSpinBox>("seRok")->setValue(2004);
    ui.expectMessage("SVATKY.INI - chybné datum");
    ui.expectMessage("Přeplněný kalendář!");
    w.click("btStandard");
    EXPECT_EQ(c.holidays.count(), 98);
    EXPECT_TRUE(c.holidays.holidaysOfYear(2004).empty());
}

TEST(TSVATKY, ListingAndYearlyCalendarGoThroughTheOutputWindow) {
    test::TempDir dir;
    HolidayCalendar c;
    (void)c.holidays.TryStore(holiday(2026, 12, 24, "Štědrý den"));
    HolidaysWindow w(c, dir);
    test::UiResponder ui;
    std::vector<std::string> shown;
    ui.expectDialog("TOUTTXT", [&](QDialog&) { shown = workFileLines(dir); });
    w.click("btPrehled");
    EXPECT_EQ(shown, (std::vector<std::string>{"Přehled evidovaných svátků", "",
                                               "24.12.2026 čt Štědrý den"}));

    // Without SVATKY.INI: the error, then the weekends only.
    ui.expectMessage("SVATKY.INI - soubor nenalezen");
    ui.expectDialog("TOUTTXT", [&](QDialog&) { shown = workFileLines(dir); });
    w.click("btRocniKalendar");
    ASSERT_EQ(shown.size(), 2u + 12u * 9u);
    EXPECT_EQ(shown[0], "Kalendář pro rok 2026");
    EXPECT_EQ(shown[3], "po       05 P  12 P  19 P  26 P  ");
    EXPECT_EQ(c.dayTypes.year, 2026);
}

TEST(TSVATKY, TheMenuItemSavesTheSortedTableWhenTheWindowCloses) {
    test::TempDir dir;
    HolidayCalendar c;
    test::UiResponder ui;
    ui.expectDialog("TSVATKY", [&](QDialog&) {
        (void)c.holidays.TryStore(holiday(2026, 12, 24, "b"));
        (void)c.holidays.TryStore(holiday(2026, 1, 1, "a"));
    });
    ASSERT_TRUE(runHolidayCalendar(c, dir.path(), 2026, nullptr));
    HolidayTable saved;
    ASSERT_TRUE(loadHolidayTable(saved, dir.path()));
    ASSERT_EQ(saved.count(), 2);
    EXPECT_EQ(saved.at(1).holidayName.text(), "a");
}

struct PlanningWindow : Probe<TPLNKAL> {
    PlanningWindow(HolidayCalendar& c, const test::TempDir& dir, int year)
        : Probe(c, dir.path(), year) {}
    std::string row(const char* grid, int r) {
        auto* g = get<QTableWidget>(grid);
        std::string s;
        for (int c = 0; c < g->columnCount(); ++c) {
            s += (g->item(r, c) ? g->item(r, c)->text().toStdString() : "") + "|";
        }
        return s;
    }
};

TEST(TPLNKAL, MonthGridYearsAndWholeWeeks) {
    test::TempDir dir;
    HolidayCalendar c;
    (void)c.holidays.TryStore(holiday(2023, 1, 1, "Nový rok"));
    (void)c.holidays.TryStore(holiday(2023, 3, 3, "Firemní den"));
    PlanningWindow w(c, dir, 2023);
    EXPECT_EQ(w.form.windowTitle(), "Měsíční kalendář: 2023");
    EXPECT_EQ(w.get<QTabBar>("tcMesice")->currentIndex(), 0);
    EXPECT_EQ(w.row("sgMesic", 0),
              "Týden|po|út|st|čt|pá|so|ne|pracovní dny|pracovní volno|placené svátky|");
    EXPECT_EQ(w.row("sgMesic", 1), "1.|||||||1|0|1|0|");
    EXPECT_EQ(w.row("sgMesic", 7), "Suma:||||||||22|9|0|");

    w.get<QTabBar>("tcMesice")->setCurrentIndex(2);
    EXPECT_EQ(w.row("sgMesic", 1), "10.|||1|2|3|4|5|2|2|1|");
    w.click("cbCeleTydny");
    EXPECT_EQ(w.row("sgMesic", 1), "10.|27|28|1|2|3|4|5|4|2|1|");

    w.click("btRokPlus");
    EXPECT_EQ(w.form.year(), 2024);
    EXPECT_EQ(w.form.windowTitle(), "Měsíční kalendář: 2024");
    EXPECT_EQ(w.get<QTabBar>("tcMesice")->currentIndex(), 0);
    EXPECT_EQ(w.row("sgMesic", 1), "1.|1|2|3|4|5|6|7|5|2|0|");

    // The limits of the calendar arithmetic.
    HolidayCalendar fresh;
    PlanningWindow first(fresh, dir, 1900);
    EXPECT_FALSE(first.get("btRokMinus")->isEnabled());
    EXPECT_TRUE(first.get("btRokPlus")->isEnabled());
    HolidayCalendar fresh2;
    PlanningWindow last(fresh2, dir, 2098);
    last.click("btRokPlus");
    EXPECT_EQ(last.form.year(), 2099);
    EXPECT_TRUE(last.get("btRokMinus")->isEnabled());
    EXPECT_FALSE(last.get("btRokPlus")->isEnabled());
}

TEST(TPLNKAL, ReopeningKeepsTheYearButCountsTheHolidaysAnew) {
    test::TempDir dir;
    HolidayCalendar c;
    {
        PlanningWindow w(c, dir, 2023);
        w.click("btRokPlus");
    }
    (void)c.holidays.TryStore(holiday(2024, 1, 1, "Nový rok"));
    PlanningWindow w(c, dir, 2023);
    EXPECT_EQ(w.form.year(), 2024);
    EXPECT_EQ(w.row("sgMesic", 1), "1.|1|2|3|4|5|6|7|4|2|1|");

    // After the yearly calendar of another year the current year is shown.
    std::vector<std::string> none;
    BuildDayTypes(c.dayTypes, 2030, readStandardHolidays(dir.path()), none);
    PlanningWindow other(c, dir, 2023);
    EXPECT_EQ(other.form.year(), 2023);
}

TEST(TPLNKAL, PlanningViewSectionsAndPrint) {
    test::TempDir dir;
    HolidayCalendar c;
    (void)c.holidays.TryStore(holiday(2024, 1, 1, "Nový rok"));
    PlanningWindow w(c, dir, 2024);
    w.click("btPlanovaci");
    EXPECT_TRUE(w.form.planningShown());
    EXPECT_EQ(w.get<QLabel>("laPlanTitle")->text(), "Plánovací kalendář pro rok 2024");
    auto* grid = w.get<QTableWidget>("sgPlan");
    EXPECT_EQ(grid->rowCount(), 3 + 5 + 13 + 54);
    EXPECT_EQ(w.row("sgPlan", 0), "| Od| Do|pracovní|pracovní|placené|");
    EXPECT_EQ(w.row("sgPlan", 2), "Rok:|||261|104|1|");
    EXPECT_EQ(w.row("sgPlan", 4), " 1. čtvrtletí|01.01.|31.03.|64|26|1|");

    w.click("cbCtvrtleti");
    w.click("cbMesice");
    w.click("cbTydny");
    w.click("cbDekady");
    EXPECT_EQ(grid->rowCount(), 3 + 38);
    EXPECT_EQ(w.row("sgPlan", 3), "Dekády:||||||");
    EXPECT_EQ(w.row("sgPlan", 40), " 37. dekáda|26.12.|31.12.|4|2|0|");

    test::UiResponder ui;
    std::vector<std::string> shown;
    ui.expectDialog("TOUTTXT", [&](QDialog&) { shown = workFileLines(dir); });
    w.click("btVypsat");
    ASSERT_EQ(shown.size(), 2u + 3u + 1u + 38u);
    EXPECT_EQ(shown[0], "Plánovací kalendář pro rok 2024");
    EXPECT_EQ(shown[4], "Rok:                          261      104        1");
    EXPECT_EQ(shown[5], "");
    EXPECT_EQ(shown.back(), " 37. dekáda   26.12. 31.12.     4        2        0");

    w.click("btZpet");
    EXPECT_FALSE(w.form.planningShown());
}

} // namespace
} // namespace qtr::calendar
