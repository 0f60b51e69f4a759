// The card editor's long and irreversible runs as the operator starts them: building
// from many bookings and stopping it, "UPRAVIT" with its question and warning, the
// printed card, and the report row chosen from the evaluation window.

#include "attendance/card_building.h"
#include "attendance/forms/card_windows_fixture.h"
#include "attendance/forms/evaluation_form.h"
#include "attendance/row_definition.h"
#include "events/event_record.h"

#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <span>

namespace qtr {
namespace {

using test::at;
using test::CardWindows;
using test::child;
using test::kEva;
using test::kJan;
using test::line;
using ui::MessageAnswer;

constexpr const char* kStopped =
    "Zpracování událostí bylo zastaveno; další se převezmou při příštím \"Originální data\".";

EventRecord booking(const char* key, const char* when, int reader) {
    EventRecord e;
    e.unitAddress = 0x02;
    e.keyNumber = KeyNumber::parse(key);
    e.timestamp = at(when);
    e.eventCode = static_cast<std::uint8_t>(reader);
    return e;
}

std::vector<std::uint8_t> cardBytes(const AttendanceCard& card) {
    std::vector<std::uint8_t> bytes(AttendanceCard::kSize);
    card.toBytes(std::span(bytes));
    return bytes;
}

struct CardEditorRuns : CardWindows {
    std::vector<EventRecord> bookings;

    // Three days of Jan's bookings with every reader, Eva's bookings between them, a
    // booking read twice, a departure without arrival, two readers within one
    // time stamp, and a booking after the card's last day: in time order, as the
    // session holds them.
    void SetUp() override {
        CardWindows::SetUp();
        for (const char* day : {"01.05.2024", "02.05.2024", "03.05.2024"}) {
            const std::string d = std::string(day) + " ";
            const auto add = [&](const char* key, const char* time, int reader) {
                bookings.push_back(booking(key, (d + time).c_str(), reader));
            };
            add(kJan, "06:52", 0);
            add(kEva, "06:58", 0);
            add(kJan, "09:00", 2); // doctor
            add(kJan, "10:10", 0);
            add(kEva, "11:00", 3);
            add(kJan, "11:30", 3); // break
            add(kJan, "11:30", 3); // read twice
            add(kJan, "12:00", 0);
            add(kJan, "12:40", 1); // business
            add(kJan, "12:40", 5); // reader 5 within the same time stamp
            add(kJan, "13:10", 0);
            add(kEva, "14:00", 4);
            add(kJan, "14:07", 4);
            add(kJan, "18:00", 4); // a departure without arrival
        }
        bookings.push_back(booking(kJan, "04.05.2024 06:50", 0));
        for (const EventRecord& e : bookings) {
            ASSERT_TRUE(session->events.append(e));
        }
        data.card = janCard({});
    }

    // The card built without interruption from the first `n` bookings.
    std::vector<std::uint8_t> builtFrom(std::size_t n) const {
        EventTable table;
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_TRUE(table.append(bookings[i]));
        }
        AttendanceCard card = data.card;
        buildFromEvents(card, table);
        return cardBytes(card);
    }

    // "Originální data" confirmed; "zastavit" is pressed as the progress bar reaches
    // `stopAt` (0: never).
    void buildOriginal(TDM00006& w, int stopAt) {
        auto* bar = child<QProgressBar>(w, "ProgressBar1");
        auto* stop = child<QPushButton>(w, "btZastavit");
        const auto pressStop = QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) {
            if (stopAt > 0 && v == stopAt) {
                EXPECT_TRUE(stop->isEnabled());
                stop->click();
            }
        });
        ui.expectMessage("Originální data", MessageAnswer::Yes);
        if (stopAt > 0) {
            ui.expectMessage(kStopped);
        }
        child<QPushButton>(w, "btOriginal")->click();
        QObject::disconnect(pressStop);
        EXPECT_FALSE(stop->isEnabled());
        EXPECT_EQ(bar->value(), 0);
    }
};

TEST_F(CardEditorRuns, ZastavitKeepsTheCompleteStepsAndTheNextBuildGoesOnWithoutLossOrDouble) {
    const auto whole = builtFrom(bookings.size());
    const AttendanceCard reference = AttendanceCard::fromBytes(whole);
    ASSERT_EQ(reference.lineCount(), 3 * 9);
    // "zastavit" pressed as booking `stop` (1-based) is reached: the card holds the
    // first `kept` bookings. 7 is the second reading of a booking; 10 and 24 are the
    // second reader within one time stamp, and the stop waits for the next time
    // stamp, as the next build goes on only after the card's last time; 43 is the
    // booking after the card.
    const struct {
        int stop;
        std::size_t kept;
    } stops[] = {{1, 0},   {2, 1},   {3, 2},   {7, 7},   {10, 10},
                 {11, 10}, {16, 15}, {24, 24}, {42, 41}, {43, 42}};
    for (const auto [stop, kept] : stops) {
        SCOPED_TRACE(stop);
        data.card = janCard({});
        TDM00006 w(*session, "Jan Novák");
        buildOriginal(w, stop);
        EXPECT_EQ(cardBytes(data.card), builtFrom(kept));
        buildOriginal(w, 0);
        EXPECT_EQ(cardBytes(data.card), whole);
        ui.expectMessage("Originální data", MessageAnswer::Yes);
        child<QPushButton>(w, "btOriginal")->click(); // a third build adds nothing
        EXPECT_EQ(cardBytes(data.card), whole);
    }
    // What the rows say: Jan's first day, reader by reader.
    TDM00006 w(*session, "Jan Novák");
    auto* grid = child<QTableWidget>(w, "StringGrid1");
    const char* rows[] = {
        "01.05.2024 st|01.05. 06:52|01.05. 09:00|00:00|směna|",
        "01.05.2024 st|01.05. 09:00|01.05. 10:10|00:00|lékař|",
        "01.05.2024 st|01.05. 10:10|01.05. 11:30|00:00|směna|",
        "01.05.2024 st|01.05. 11:30|01.05. 12:00|00:00|přestávka|",
        "01.05.2024 st|01.05. 12:00|01.05. 12:40|00:00|směna|",
        "01.05.2024 st|01.05. 12:40|01.05. 12:40|00:00|služebně|",
        "01.05.2024 st|01.05. 12:40|01.05. 13:10|00:00|volný|",
        "01.05.2024 st|01.05. 13:10|01.05. 14:07|00:00|směna|",
        // A departure without arrival: the failing check leaves no durations.
        "||01.05. 18:00|00:00|směna|#den směny",
    };
    for (int r = 0; r < 9; ++r) {
        EXPECT_EQ(test::gridRow(*grid, r), rows[r]) << r;
    }
}

// The times of the card as the grid shows them: "start-end" of each line.
std::string gridTimes(const TDM00006& w, int lines) {
    const auto* grid = child<QTableWidget>(w, "StringGrid1");
    std::string s;
    for (int r = 0; r < lines; ++r) {
        s += (r > 0 ? ", " : "") + grid->item(r, 1)->text().toStdString() + "-" +
             grid->item(r, 2)->text().toStdString();
    }
    return s;
}

TEST_F(CardWindows, UpravitAsksRoundsAndSaysWhichLinesWereDropped) {
    // Steps of 15 minutes through "Hodnoty úprav"; the first line turns round.
    const auto card = janCard({line("01.05.2024 06:50", "01.05.2024 06:55"),
                               line("02.05.2024 06:50", "02.05.2024 14:07"),
                               line("03.05.2024 07:00", "03.05.2024 14:10", 3)});
    const struct {
        MessageAnswer answer;
        bool withFirstLine;
        const char* warning;
        const char* times;
    } cases[] = {
        {MessageAnswer::No, true, nullptr,
         "01.05. 06:50-01.05. 06:55, 02.05. 06:50-02.05. 14:07, 03.05. 07:00-03.05. 14:10"},
        {MessageAnswer::Yes, false, nullptr,
         "02.05. 07:00-02.05. 14:00, 03.05. 07:00-03.05. 14:10"},
        {MessageAnswer::Yes, true, "Některé události byly vypuštěny!",
         "02.05. 07:00-02.05. 14:00, 03.05. 07:00-03.05. 14:10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.times);
        data.card = card;
        if (!c.withFirstLine) {
            data.card.deleteLine(1);
        }
        data.rounding = {};
        auto w = editor();
        ui.expectDialog("TDM00008", [](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Krok hodin docházky");
            child<QSpinBox>(d, "seKrok1")->setValue(15);
            child<QSpinBox>(d, "seKrok2")->setValue(15);
            child<QPushButton>(d, "btPouzit")->click();
        });
        child<QPushButton>(*w, "btHodnoty")->click();
        ASSERT_EQ(data.rounding.firstArrivalStep, 15);
        ASSERT_EQ(data.rounding.lastDepartureStep, 15);

        ui.expectMessage("UPRAVIT", c.answer);
        if (c.warning != nullptr) {
            ui.expectMessage(c.warning);
        }
        const std::size_t before = ui.shown().size();
        child<QPushButton>(*w, "btUpravit")->click();
        const auto& shown = ui.shown();
        ASSERT_EQ(shown.size(), before + (c.warning != nullptr ? 2 : 1));
        EXPECT_EQ(shown[before].text, "UPRAVIT");
        EXPECT_EQ(shown[before].caption, "POTVRDIT OPERACI");
        if (c.warning != nullptr) {
            EXPECT_EQ(shown.back().text, c.warning);
            EXPECT_EQ(shown.back().caption, "UPRAVIT");
            EXPECT_EQ(shown.back().icon, ui::MessageIcon::Warning);
        }
        EXPECT_EQ(gridTimes(*w, data.card.lineCount()), c.times);
        EXPECT_EQ(test::gridRow(*child<QTableWidget>(*w, "StringGrid1"), data.card.lineCount()),
                  "|||||");
        EXPECT_EQ(w->operation(), TDM00006::Operation::Browse);
    }
}

TEST_F(CardWindows, VytisknoutWritesTheCardWithItsShiftDaysIntoTheOutputWindow) {
    data.card = janCard({line("02.05.2024 06:00", "02.05.2024 14:30"),
                         line("03.05.2024 22:00", "04.05.2024 06:00", 4)});
    auto w = editor();
    data.card.line(2).note.setText("poznámka delší než deset");
    data.card.line(1).shiftDay = 0; // the printout sets the shift days itself
    ui.expectDialog("TOUTTXT", [](QDialog& d) {
        EXPECT_TRUE(child<QPlainTextEdit>(d, "meOutList")
                        ->toPlainText()
                        .startsWith("DOCHÁZKOVÁ KARTA\n\nJan Novák\n01.05.2024 - 03.05.2024\n"));
    });
    child<QPushButton>(*w, "btVytisknout")->click();
    const std::string rule = "|" + std::string(89, '-') + "|";
    EXPECT_EQ(workFileLines(),
              (std::vector<std::string>{
                  "DOCHÁZKOVÁ KARTA", "", "Jan Novák", "01.05.2024 - 03.05.2024", rule,
                  "| Datum         | Začátek      | Konec        | Doba  | Druh                 "
                  "| Poznámka   |",
                  rule,
                  "| 02.05.2024 čt | 02.05. 06:00 | 02.05. 14:30 | 08:30 | směna                "
                  "|            |",
                  "| 03.05.2024 pá | 03.05. 22:00 | 04.05. 06:00 | 08:00 | přestávka            "
                  "| poznámka d |",
                  rule}));
}

TEST_F(CardWindows, TheReportRowChosenFromTheEvaluationWindowReachesTheReport) {
    ASSERT_TRUE(saveRowDefinition(dir / kRowDefinitionFile, data.rowDefinition));
    data.card = janCard({line("02.05.2024 06:00", "02.05.2024 14:30")});
    ASSERT_TRUE(session->cards.save(data.card));
    const struct {
        const char* closeWith;
        const char* heading;
        const char* secondDay;
        int stored;
    } cases[] = {
        {"btZpet", "| Den směny    ", "|02.05.2024 čt|", 0},
        {"btPouzit", "| Den směny     Výkon|Na prac.|", "|02.05.2024 čt| 08:30|   08:30|", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.closeWith);
        TDM00000 w(*session);
        child<QDateEdit>(w, "dtOd")->setDate(QDate(2024, 5, 1));
        child<QDateEdit>(w, "dtDo")->setDate(QDate(2024, 5, 3));
        ui.expectDialog("TDM00003", [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Tvar výstupního řádku sestavy");
            auto* items = child<QListWidget>(d, "lbPolozky");
            for (const char* name : {"Výkon", "směna"}) {
                const auto found = items->findItems(QString::fromUtf8(name), Qt::MatchExactly);
                ASSERT_EQ(found.size(), 1) << name;
                emit items->itemClicked(found[0]);
            }
            EXPECT_EQ(child<QLabel>(d, "laNahled")->text(), "[ Výkon][Na prac.]");
            child<QPushButton>(d, c.closeWith)->click();
        });
        child<QPushButton>(w, "btDefinice")->click();
        EXPECT_EQ(data.rowDefinition.count(), c.stored);
        EXPECT_EQ(test::readBytes(dir / kRowDefinitionFile)[0], c.stored);
        ui.expectDialog("TOUTTXT", [](QDialog&) {});
        child<QPushButton>(w, "btZpracovat")->click();
        const auto report = workFileLines();
        ASSERT_GE(report.size(), 10u);
        EXPECT_EQ(report[6], c.heading);
        EXPECT_EQ(report[9], c.secondDay);
    }
}

} // namespace
} // namespace qtr
