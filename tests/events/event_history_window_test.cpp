#include "docs/work_file.h"
#include "events/event_window_fixture.h"
#include "events/forms/event_history_window.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTimeEdit>
#include <functional>

namespace qtr {
namespace {

using test::click;
using test::navigationState;
using test::pageMinutes;
using ui::MessageAnswer;

struct HistoryWindowTest : test::EventWindowTestOf<TEVELST> {
    void key(Qt::Key k) { QTest::keyClick(window->findChild<QTableWidget*>("sgUdalosti"), k); }
};

TEST_F(HistoryWindowTest, PagesOfSixteenWithTheirButtonRules) {
    writeDay();
    open();
    EXPECT_EQ(window->windowTitle(), "Přehled událostí v systému ");
    const struct {
        std::function<void()> act;
        const char* state;
        const char* page;
    } steps[] = {
        {[] {}, "1/20 - - > >| - >>", "00 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15"},
        {[&] { click(*window, "sbStrankaVpred"); }, "17/20 |< < - - << -",
         "16 17 18 19 . . . . . . . . . . . ."},
        {[&] { click(*window, "sbStrankaZpet"); }, "1/20 - - > >| - >>", nullptr},
        {[&] { click(*window, "sbPosledni"); }, "20/20 |< < - - << -",
         "19 . . . . . . . . . . . . . . ."},
        {[&] { click(*window, "sbPredchozi"); }, "19/20 |< < - - << -", nullptr},
        {[&] { click(*window, "sbPrvni"); }, "1/20 - - > >| - >>", nullptr},
        {[&] {
             for (int n = 0; n < 3; ++n) {
                 click(*window, "sbDalsi");
             }
         },
         "4/20 |< < > >| - -", "03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18"},
        // ">>" is off here, but Page Down still moves while the count is not exceeded.
        {[&] { key(Qt::Key_PageDown); }, "20/20 |< < - - << -", nullptr},
        {[&] { key(Qt::Key_PageDown); }, "20/20 |< < - - << -", nullptr},
        {[&] { key(Qt::Key_PageUp); }, "4/20 |< < > >| - -", nullptr},
        {[&] { key(Qt::Key_PageUp); }, "4/20 |< < > >| - -", nullptr},
        {[&] { click(*window, "sbDalsi"); }, "5/20 |< < - - - -", nullptr},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(navigationState(*window), s.state);
        if (s.page != nullptr) {
            EXPECT_EQ(pageMinutes(*window), s.page) << s.state;
        }
    }
    click(*window, "sbPrvni");
    EXPECT_EQ(test::cell(*window, 0, 0), "02.03.2026");
    EXPECT_EQ(test::cell(*window, 0, 2), "Vchod, TM0, Jan Novák, povoleno");
    EXPECT_EQ(test::cell(*window, 2, 2), "Vchod, TM1, #neznámý klíč: 0100000000AA01, povoleno");
    EXPECT_EQ(test::cell(*window, 4, 2), "Vchod, IN0, AKTIVOVÁNO");
    EXPECT_EQ(test::cell(*window, 7, 2), "Docházka, TM0, Eva Svobodová, neoprávněný");
}

// Each filter starts from the whole file, whatever was shown before.
TEST_F(HistoryWindowTest, FiltersByKeyPeriodUnitAndAttendance) {
    writeDay();
    open();
    const auto pickHolder = [&](const char* name) {
        ui.expectDialog("TSELK1", [name](QDialog& d) {
            d.findChild<QLineEdit*>("edJmeno")->setText(QString::fromUtf8(name));
            d.findChild<QPushButton*>("btPouzit")->click();
        });
    };
    const auto cancelPicker = [&](MessageAnswer inputsOnly) {
        ui.expectDialog("TSELK1", [](QDialog& d) { d.findChild<QPushButton*>("btZpet")->click(); });
        ui.expectMessage("Zobrazit jen události snímačů INx?", inputsOnly);
    };
    // Sets the interval dialog, which opens on the interval remembered, `was` the start time.
    const auto interval = [&](QTime was, int fromMinute, int toMinute, const char* button) {
        ui.expectDialog("TINTDTTM", [=](QDialog& d) {
            EXPECT_EQ(d.findChild<QTimeEdit*>("edPocatekCas")->time(), was);
            d.findChild<QDateEdit*>("edPocatekDatum")->setDate(QDate(2026, 3, 2));
            d.findChild<QTimeEdit*>("edPocatekCas")->setTime(QTime(7, fromMinute));
            d.findChild<QDateEdit*>("edKonecDatum")->setDate(QDate(2026, 3, 2));
            d.findChild<QTimeEdit*>("edKonecCas")->setTime(QTime(7, toMinute));
            d.findChild<QPushButton*>(button)->click();
        });
    };
    const auto pickUnit = [&](int row) {
        ui.expectDialog("TSELJED", [row](QDialog& d) {
            auto* list = d.findChild<QListWidget*>("ListBox1");
            emit list->itemClicked(list->item(row));
        });
    };
    const struct {
        const char* button;
        std::function<void()> answers;
        const char* caption;
        const char* page;
        const char* state;
    } cases[] = {
        {"btJednotka", [&] { pickUnit(1); }, "Přehled událostí v systému - jednotka",
         "01 03 05 07 09 11 13 15 17 19 . . . . . .", "1/10 - - - - - -"},
        {"btDochazka", [] {}, "Přehled událostí v systému - docházka",
         "00 01 02 03 05 06 08 10 11 12 13 15 16 17 18 .", "1/15 - - - - - -"},
        // "přerušit" keeps the interval remembered (now .. now), and the filter runs on it:
        // nothing is left, and the buttons do nothing.
        {"btDatum", [&] { interval(QTime(12, 0), 0, 30, "btPrerusit"); },
         "Přehled událostí v systému - datum", ". . . . . . . . . . . . . . . .",
         "0/0 - - - - - -"},
        {"sbPosledni", [] {}, "Přehled událostí v systému - datum",
         ". . . . . . . . . . . . . . . .", "0/0 - - - - - -"},
        {"btKlic", [&] { cancelPicker(MessageAnswer::Yes); }, "Přehled událostí v systému - klíč",
         "04 09 14 19 . . . . . . . . . . . .", "1/4 - - - - - -"},
        // "No" changes nothing, the caption included.
        {"btKlic", [&] { cancelPicker(MessageAnswer::No); }, "Přehled událostí v systému - klíč",
         "04 09 14 19 . . . . . . . . . . . .", "1/4 - - - - - -"},
        {"btKlic", [&] { pickHolder("Jan Novák"); }, "Přehled událostí v systému - klíč",
         "00 03 06 12 15 18 . . . . . . . . . .", "1/6 - - - - - -"},
        {"btDatum", [&] { interval(QTime(12, 0), 5, 8, "btHotovo"); },
         "Přehled událostí v systému - datum", "05 06 07 08 . . . . . . . . . . . .",
         "1/4 - - - - - -"},
        {"btOriginal", [] {}, "Přehled událostí v systému ",
         "00 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15", "1/20 - - > >| - >>"},
        // The dialog opens on the interval taken last.
        {"btDatum", [&] { interval(QTime(7, 5), 18, 59, "btHotovo"); },
         "Přehled událostí v systému - datum", "18 19 . . . . . . . . . . . . . .",
         "1/2 - - - - - -"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        c.answers();
        click(*window, c.button);
        EXPECT_EQ(window->windowTitle(), c.caption);
        EXPECT_EQ(pageMinutes(*window), c.page);
        EXPECT_EQ(navigationState(*window), c.state);
    }
}

TEST_F(HistoryWindowTest, HexAndSortsServiceModeOnly) {
    writeDay();
    open(false);
    EXPECT_FALSE(window->findChild<QCheckBox*>("cbHex")->isEnabled());
    open(true);
    auto* hex = window->findChild<QCheckBox*>("cbHex");
    ASSERT_TRUE(hex->isEnabled());
    hex->click();
    EXPECT_TRUE(QRegularExpression("^01 [0-9A-F]{16} 01000000001001 00 00 00$")
                    .match(QString::fromStdString(test::cell(*window, 0, 2)))
                    .hasMatch())
        << test::cell(*window, 0, 2);
    hex->click();
    click(*window, "sbPosledni");
    click(*window, "rbTridit1"); // "adresa": the ten events of unit 01 first
    EXPECT_EQ(navigationState(*window), "1/20 - - > >| - >>");
    std::string units;
    for (int r = 0; r < 16; ++r) {
        units += test::cell(*window, r, 2).substr(0, 2);
    }
    EXPECT_EQ(units, "VcVcVcVcVcVcVcVcVcVcDoDoDoDoDoDo");
}

TEST_F(HistoryWindowTest, WithoutAnEventFileBothPanelsAreDisabled) {
    open();
    EXPECT_FALSE(window->findChild<QWidget*>("pnNavigace")->isEnabled());
    EXPECT_FALSE(window->findChild<QGroupBox*>("rgTridit")->isEnabled());
    EXPECT_FALSE(window->findChild<QGroupBox*>("pnPrikazy")->isEnabled());
    EXPECT_EQ(navigationState(*window), "0/0 - - - - - -");
    EXPECT_EQ(pageMinutes(*window), ". . . . . . . . . . . . . . . .");
}

// A damaged file shows what it holds and says what it left out; nothing hangs.
TEST_F(HistoryWindowTest, DamagedFileShowsBadTimeStampsAsInvalidDates) {
    EventRecord noDate = test::dayEvent(0);
    noDate.timestamp = 0.0;
    EventRecord garbage = test::dayEvent(1);
    garbage.timestamp = std::numeric_limits<double>::quiet_NaN();
    EventRecord huge = test::dayEvent(2);
    huge.timestamp = 1e300;
    writeEventFile({noDate, garbage, huge});
    auto bytes = test::readBytes(dir / kEventFile);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    test::writeBytes(dir / kEventFile, bytes);
    ui.expectMessage("Soubor QTR0005.DAT končí neúplným záznamem (5 B), který nebyl načten.");
    open();
    EXPECT_EQ(navigationState(*window), "1/3 - - - - - -");
    std::vector<std::string> rows;
    for (int r = 0; r < 3; ++r) {
        rows.push_back(test::cell(*window, r, 0) + " " + test::cell(*window, r, 1) + " " +
                       test::cell(*window, r, 2));
    }
    // The order of what cannot be compared is no matter.
    std::sort(rows.begin(), rows.end());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].substr(0, 41), "30.12.1899 00:00:00 #datum události: 01 ");
    EXPECT_EQ(rows[1], "??.??.???? ??:??:?? Docházka, TM0, Eva Svobodová, povoleno");
    EXPECT_EQ(rows[2], "??.??.???? ??:??:?? Vchod, TM1, #neznámý klíč: 0100000000AA01, povoleno");
}

TEST_F(HistoryWindowTest, ListingGoesToTheOutputWindow) {
    writeDay();
    open();
    ui.expectDialog("TSELJED", [](QDialog& d) {
        auto* list = d.findChild<QListWidget*>("ListBox1");
        emit list->itemClicked(list->item(0));
    });
    click(*window, "btJednotka");
    ui.expectDialog("TOUTTXT", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Manipulace se zpracovaným výstupem");
    });
    click(*window, "btVypsat");
    const std::string text = test::readText(workFilePath(dir.path()));
    EXPECT_EQ(text.substr(0, 18), "V\xFDpis ud\xE1lost\xED\r\n\r\n");
    EXPECT_NE(text.find("02.03.2026 07:18:00 Vchod, TM1, Jan Nov\xE1k, povoleno\r\n---\r\n"),
              std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 10 + 1);
}

} // namespace
} // namespace qtr
