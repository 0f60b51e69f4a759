// The card register, the card editor with its date-and-time dialog, the evaluation
// window and the report table, driven as the operator drives them.

#include "attendance/attendance_files.h"
#include "attendance/attendance_time.h"
#include "attendance/card_editing.h"
#include "attendance/forms/card_editor_form.h"
#include "attendance/forms/card_register_form.h"
#include "attendance/forms/card_windows_fixture.h"
#include "attendance/forms/code_list_form.h"
#include "attendance/forms/date_time_dialog.h"
#include "attendance/forms/evaluation_form.h"
#include "attendance/forms/report_table_form.h"
#include "attendance/report_layout.h"
#include "attendance/report_table.h"
#include "calendar/holiday_table.h"
#include "db/configuration_database.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace qtr {
namespace {

using test::at;
using test::CardWindows;
using test::child;
using test::kEva;
using test::kJan;
using test::line;
using ui::MessageAnswer;

TEST_F(CardWindows, TheEditorShowsTheCardAndFindsTheFirstFault) {
    data.card =
        janCard({line("01.05.2024 06:00", "01.05.2024 14:00"),
                 line("02.05.2024 06:00", "02.05.2024 14:30", 3), line("03.05.2024 06:00", "")});
    auto w = editor();
    EXPECT_EQ(w->windowTitle(), "Docházková karta: Jan Novák 01.05.2024 - 03.05.2024");
    EXPECT_EQ(child<QLabel>(*w, "laObvykleOd")->text(), "Obvykle od: 06:00");
    EXPECT_EQ(child<QLabel>(*w, "laDoplnovat")->text(), "chybějící nedoplňovat");
    auto* grid = child<QTableWidget>(*w, "StringGrid1");
    // The editor check ran: shift days set, line 3 marked, and as it failed the
    // durations are cleared again.
    EXPECT_EQ(test::gridRow(*grid, 0), "01.05.2024 st|01.05. 06:00|01.05. 14:00|00:00|směna|");
    EXPECT_EQ(test::gridRow(*grid, 1), "02.05.2024 čt|02.05. 06:00|02.05. 14:30|00:00|lékař|");
    EXPECT_EQ(test::gridRow(*grid, 2), "03.05.2024 pá|03.05. 06:00||00:00|směna|#nelze!");
    EXPECT_EQ(test::gridRow(*grid, 3), "|||||");
    EXPECT_EQ(test::enabledButtons(*w, {"btKorekce", "btKontrola", "btZastavit", "btPouzit"}),
              "btKontrola btPouzit");

    child<QPushButton>(*w, "btHledat")->click();
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(grid->currentColumn(), 2);
    EXPECT_EQ(test::gridRow(*grid, 0), "01.05.2024 st|01.05. 06:00|01.05. 14:00|00:00|směna|");

    // The end set through the date-and-time dialog: bounded by the start and the card's end.
    child<QRadioButton>(*w, "rbOpravovat")->click();
    ui.expectDialog("TEDTTM", [](QDialog& d) {
        EXPECT_EQ(child<QLabel>(d, "laTitulek")->text(), "Určit konec pro: 03.05. 06:00-směna");
        EXPECT_EQ(child<QPushButton>(d, "laDolni")->text(), "03.05.2024 06:00");
        EXPECT_EQ(child<QPushButton>(d, "laHorni")->text(), "03.05.2024 23:59");
        EXPECT_EQ(child<QLineEdit>(d, "meCas")->text(), "14:00:00"); // the usual end
        child<QLineEdit>(d, "meCas")->setText("13:30:00");
        emit child<QLineEdit>(d, "meCas")->textEdited("13:30:00");
        child<QPushButton>(d, "btHotovo")->click();
    });
    w->StringGrid1Click(3, 2);
    EXPECT_EQ(test::gridRow(*grid, 2), "03.05.2024 pá|03.05. 06:00|03.05. 13:30|07:30|směna|");
    ui.expectMessage("Formálně správná tabulka.");
    child<QPushButton>(*w, "btHledat")->click();
    EXPECT_EQ(ui.shown().back().caption, "Hledat chybu");
    EXPECT_EQ(w->operation(), TDM00006::Operation::Browse);
}

TEST_F(CardWindows, ButtonOperationsConfirmAndDatesComeFromThePickers) {
    data.card = janCard({});
    data.card.dateFrom = data.card.dateTo = 0.0; // a card without dates
    auto w = editor();
    EXPECT_EQ(data.card.dateFrom, 0.0); // kept until the first operation
    EXPECT_EQ(child<QDateEdit>(*w, "dtOd")->date(), QDate(2024, 5, 7));

    ui.expectMessage("Konstantní data", MessageAnswer::No);
    child<QPushButton>(*w, "btKonstantni")->click();
    EXPECT_EQ(ui.shown().back().caption, "POTVRDIT OPERACI");
    EXPECT_EQ(data.card.lineCount(), 0);

    // Period 6.-12.5. (Mon-Sun): working days only, then the plan mark.
    child<QDateEdit>(*w, "dtOd")->setDate(QDate(2024, 5, 6));
    child<QDateEdit>(*w, "dtDo")->setDate(QDate(2024, 6, 6)); // 31 days, same day of month
    EXPECT_FALSE(child<QLabel>(*w, "pnInterval")->isHidden());
    child<QDateEdit>(*w, "dtDo")->setDate(QDate(2024, 5, 12));
    EXPECT_TRUE(child<QLabel>(*w, "pnInterval")->isHidden());
    EXPECT_EQ(data.card.dateFrom, at("06.05.2024"));
    ui.expectMessage("Konstantní data", MessageAnswer::Yes);
    child<QPushButton>(*w, "btKonstantni")->click();
    EXPECT_EQ(data.card.lineCount(), 5);
    EXPECT_EQ(data.card.planFlag, 1);

    // Inserting into an emptied card takes the card's first day.
    ui.expectMessage("Vymazat všechna data", MessageAnswer::Yes);
    child<QPushButton>(*w, "btVymazat")->click();
    child<QRadioButton>(*w, "rbVkladat")->click();
    w->StringGrid1Click(1, 3);
    ASSERT_EQ(data.card.lineCount(), 1);
    EXPECT_EQ(data.card.line(1).shiftDay, at("06.05.2024"));
    EXPECT_EQ(w->operation(), TDM00006::Operation::Change);

    // A card of dates outside the pickers' period is said.
    data.card.dateFrom = at("01.04.2024");
    data.card.dateTo = at("30.04.2024");
    ui.expectMessage("#Datum karty - #Datum zpracování");
    child<QPushButton>(*w, "btSmazatPozn")->click();
}

TEST_F(CardWindows, ACardWithoutDatesTakesThePickersAtTheFirstOperation) {
    data.card = janCard({});
    data.card.dateFrom = data.card.dateTo = 0.0;
    auto w = editor();
    ui.expectMessage("Úprava data karty.");
    child<QPushButton>(*w, "btDnySmen")->click();
    EXPECT_EQ(data.card.dateFrom, at("07.05.2024"));
    EXPECT_EQ(data.card.dateTo, at("07.05.2024"));
}

TEST_F(CardWindows, ChoosingHolidayPutsTheLineOnTheUsualShift) {
    data.card = janCard({line("02.05.2024 07:12", "02.05.2024 15:40")});
    auto w = editor();
    child<QRadioButton>(*w, "rbOpravovat")->click();
    ui.expectDialog("TDM00001", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Výběr možností");
        auto& codes = dynamic_cast<TDM00001&>(d);
        codes.StringGrid1Click(6); // 10 "dovolená"
        child<QPushButton>(d, "btVybrat")->click();
    });
    w->StringGrid1Click(1, 4);
    EXPECT_EQ(test::gridRow(*child<QTableWidget>(*w, "StringGrid1"), 0),
              "02.05.2024 čt|02.05. 06:00|02.05. 14:00|08:00|dovolená|");
}

TEST_F(CardWindows, ACopyOfTheCardIsByteIdenticalAndReadsBack) {
    data.card = janCard({line("01.05.2024 06:00", "01.05.2024 14:00")});
    auto w = editor();
    const auto copy = dir / "KOPIE";
    ui.expectSaveFile(QString::fromStdString(copy.string()));
    child<QPushButton>(*w, "btZapsat")->click();
    EXPECT_EQ(ui.lastSaveRequest()->caption, "Určete soubor pro zápis");
    EXPECT_EQ(ui.lastSaveRequest()->proposed, "KARTA.SAV");
    ASSERT_TRUE(writeCardFile(dir / kWorkingCardFile, data.card));
    EXPECT_EQ(test::readBytes(dir / "KOPIE.SAV"), test::readBytes(dir / kWorkingCardFile));

    // "číst ze" saves the working card to the register first.
    data.card.removeAllLines();
    ui.expectOpenFile(QString::fromStdString((dir / "KOPIE.SAV").string()));
    child<QPushButton>(*w, "btCist")->click();
    EXPECT_EQ(data.card.lineCount(), 1);
    ASSERT_TRUE(session->cards.find(KeyNumber::parse(kJan)));
    EXPECT_EQ(session->cards.found().lineCount(), 0);
}

TEST(DateTimeDialog, BoundsClampTheValueAndGuardHotovo) {
    test::UiResponder ui;
    const DateTime lower = at("02.05.2024 06:00");
    const DateTime upper = at("02.05.2024 14:00");
    TEDTTM d(QStringLiteral("x"), lower, upper, encodeTime(6, 0, 0), encodeTime(14, 0, 0),
             at("01.05.2024 10:00"));
    EXPECT_EQ(child<QLineEdit>(d, "meDatum")->text(), "02.05.2024"); // clamped to the bound
    EXPECT_EQ(d.value(), lower);
    auto* hotovo = child<QPushButton>(d, "btHotovo");
    const struct {
        const char* field;
        const char* text;
        bool enabled;
    } edits[] = {{"meCas", "14:00:01", false},     {"meCas", "13:59:59", true},
                 {"meCas", "25:00:00", true}, // no time: the last one stays
                 {"meDatum", "03.05.2024", false}, {"meDatum", "31.02.2024", false},
                 {"meDatum", "02.05.2024", true}};
    for (const auto& e : edits) {
        auto* field = child<QLineEdit>(d, e.field);
        field->setText(QString::fromUtf8(e.text));
        emit field->textEdited(field->text());
        EXPECT_EQ(hotovo->isEnabled(), e.enabled) << e.field << " " << e.text;
    }
    child<QPushButton>(d, "laHorni")->click();
    EXPECT_EQ(d.value(), upper);
    child<QPushButton>(d, "btObvPocatek")->click();
    EXPECT_EQ(d.value(), lower);
    child<QPushButton>(d, "btZadnyUdaj")->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.value(), 0.0);

    TEDTTM swapped(QStringLiteral("x"), upper, lower, 0, 0, 0);
    EXPECT_EQ(child<QPushButton>(swapped, "laHorni")->text(), "02.05.2024 14:00");
}

TEST_F(CardWindows, TheRegisterAddsAndChangesCardsByMode) {
    ASSERT_TRUE(session->cards.append(janCard({})));
    auto w = std::make_unique<TDM00007>(*session, false);
    auto* list = child<QListWidget>(*w, "ListBox1");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text().toStdString(),
              "Jan Novák 01.05.-03.05." + std::string(21, ' ') + " " + kJan);
    const auto state = [&] {
        return test::enabledButtons(*w, {"btNova", "btOpravit", "btUdalosti", "btPouzit"}) +
               (child(*w, "pnParametry")->isEnabled() ? " panel" : "") +
               (child(*w, "btPouzit")->isHidden() ? "" : " visible");
    };
    EXPECT_EQ(state(), "btNova");
    w->ListBox1Click(0);
    EXPECT_EQ(state(), "btNova btOpravit btUdalosti");
    EXPECT_EQ(child<QLabel>(*w, "laJmeno")->text(), "Jan Novák");
    EXPECT_TRUE(child(*w, "laNocni")->isHidden());

    // "nová" for Eva: a new card of today with the morning shift, appended by "použít".
    ui.expectDialog("TSELK1", [](QDialog& d) {
        child<QLineEdit>(d, "edJmeno")->setText("Eva Malá");
        child<QPushButton>(d, "btPouzit")->click();
    });
    child<QPushButton>(*w, "btNova")->click();
    EXPECT_EQ(w->mode(), TDM00007::Mode::New);
    EXPECT_EQ(state(), "btPouzit panel visible");
    child<QPushButton>(*w, "btNocni")->click();
    EXPECT_FALSE(child(*w, "laNocni")->isHidden());
    child<QCheckBox>(*w, "cbDoplnit")->setChecked(true);
    child<QPushButton>(*w, "btPouzit")->click();
    EXPECT_EQ(w->mode(), TDM00007::Mode::Browse);
    ASSERT_EQ(list->count(), 2);
    ASSERT_TRUE(session->cards.find(KeyNumber::parse(kEva)));
    const AttendanceCard eva = session->cards.found();
    EXPECT_EQ(eva.dateFrom, at("07.05.2024"));
    EXPECT_TRUE(eva.isNightShift());
    EXPECT_EQ(eva.fillMissing, 1);

    // "nová" for a holder with a card edits that card ("O"): overwritten, not added.
    ui.expectDialog("TSELK1", [](QDialog& d) {
        child<QLineEdit>(d, "edJmeno")->setText("Jan Novák");
        child<QPushButton>(d, "btPouzit")->click();
    });
    child<QPushButton>(*w, "btNova")->click();
    EXPECT_EQ(w->mode(), TDM00007::Mode::Change);
    child<QPushButton>(*w, "btOdpoledni")->click();
    child<QPushButton>(*w, "btPouzit")->click();
    std::vector<AttendanceCard> all;
    ASSERT_TRUE(session->cards.readAll(all));
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(minutesOf(timeOfDay(all[0].usualStart)), 14 * 60);

    // The card editor's OK saves the card to the register.
    w->ListBox1Click(0);
    ui.expectMessage("Chybí originální události docházky!");
    ui.expectDialog("TDM00006", [](QDialog& d) { child<QPushButton>(d, "btPouzit")->click(); });
    child<QPushButton>(*w, "btUdalosti")->click();
    ASSERT_TRUE(session->cards.readAll(all));
    EXPECT_EQ(all.size(), 2u);
}

TEST_F(CardWindows, TheEvaluationWindowGuardsZpracovatAndPrintsTheReport) {
    ASSERT_TRUE(appendReportItem(data.rowDefinition, data.codeList, "Norma"));
    data.card = janCard({line("02.05.2024 06:00", "02.05.2024 14:30")});
    ASSERT_TRUE(session->cards.save(data.card));
    auto w = std::make_unique<TDM00000>(*session);
    EXPECT_EQ(child<QPushButton>(*w, "laPro")->text(), "Jan Novák");
    EXPECT_EQ(child<QLabel>(*w, "laPlatna")->text(), "01.05.2024 - 03.05.2024");
    EXPECT_EQ(test::enabledButtons(*w, {"btZpracovat"}), ""); // today is outside the card
    child<QDateEdit>(*w, "dtDo")->setDate(QDate(2024, 5, 3));
    EXPECT_FALSE(child(*w, "pnInterval")->isHidden()); // from after to
    child<QDateEdit>(*w, "dtOd")->setDate(QDate(2024, 5, 1));
    EXPECT_TRUE(child(*w, "pnInterval")->isHidden());
    EXPECT_EQ(test::enabledButtons(*w, {"btZpracovat"}), "btZpracovat");

    // With the report table: a norm of a day or more is refused, a code value stored.
    child<QCheckBox>(*w, "cbUpravy")->setChecked(true);
    ui.expectDialog("TDM00005", [this](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Sestava pro: Jan Novák");
        auto& table = dynamic_cast<TDM00005&>(d);
        auto* value = child<QLineEdit>(d, "edHodnota");
        auto* hotovo = child<QPushButton>(d, "btHotovo");
        table.StringGrid1Click(2, 3); // "Výkon" is not edited
        EXPECT_TRUE(child(d, "pnOprava")->isHidden());
        table.StringGrid1Click(2, kReportTableNormColumn);
        EXPECT_EQ(child<QLabel>(d, "laOprava")->text(), "Oprava údaje 02.05. 06:00 čt");
        EXPECT_EQ(value->text(), "08:00");
        EXPECT_FALSE(child(d, "StringGrid1")->isEnabled());
        for (auto [text, enabled] : {std::pair{"48:00", true}, std::pair{"49:00", false},
                                     std::pair{"8:00", false}, std::pair{"25:00", true}}) {
            value->setText(QString::fromLatin1(text));
            EXPECT_EQ(hotovo->isEnabled(), enabled) << text;
        }
        ui.expectMessage("Norma dne může být nejvýše 23:59.");
        hotovo->click();
        EXPECT_FALSE(child(d, "pnOprava")->isHidden());
        value->setText("07:00");
        hotovo->click();
        EXPECT_TRUE(child(d, "pnOprava")->isHidden());
        EXPECT_TRUE(test::gridRow(*child<QTableWidget>(d, "StringGrid1"), 1)
                        .starts_with("02.05. 06:00 čt|02.05. 14:30 čt|07:00|08:30|01:30|"));
    });
    ui.expectDialog("TOUTTXT", [](QDialog&) {});
    child<QPushButton>(*w, "btZpracovat")->click();
    const auto report = workFileLines();
    ASSERT_GE(report.size(), 11u);
    EXPECT_EQ(report[0], "VÝKAZ DOCHÁZKY");
    EXPECT_EQ(report[2], "Jan Novák");
    EXPECT_EQ(report[6], "| Den směny     Norma|");
    EXPECT_EQ(report[9], "|02.05.2024 čt| 07:00|");
    EXPECT_EQ(report[12], "| CELKEM:       23:00|"); // the edited norm reached the totals
}

TEST_F(CardWindows, ACardOfAnUnknownKeyCannotBeProcessedAndAVanishedCardIsSaid) {
    data.card = janCard({line("02.05.2024 06:00", "02.05.2024 14:30")});
    data.card.keyNumber = KeyNumber::parse("0C");
    auto w = std::make_unique<TDM00000>(*session);
    EXPECT_EQ(child<QPushButton>(*w, "laPro")->text(), "# 0C000000000000");
    child<QDateEdit>(*w, "dtOd")->setDate(QDate(2024, 5, 1));
    EXPECT_EQ(test::enabledButtons(*w, {"btZpracovat"}), "");

    // Choosing another card and cancelling: the previous card is not in the register.
    ui.expectDialog("TDM00007", [](QDialog& d) { child<QPushButton>(d, "btZpet")->click(); });
    ui.expectMessage("Nenalezena původní karta!");
    child<QPushButton>(*w, "laPro")->click();
    EXPECT_TRUE(data.card.keyNumber.isZero());
}

} // namespace
} // namespace qtr
