// qtr-cli attendance build and evaluate: options, refusals and what reaches the files.

#include "attendance/attendance_cli_fixture.h"
#include "attendance/attendance_time.h"
#include "base/win1250.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

TEST_F(AttendanceCli, WrongUsageIsExplained) {
    const struct {
        std::vector<std::string> args;
        const char* firstLine;
    } cases[] = {
        {{"attendance"},
         "Použití: attendance build --key KLÍČ --from dd.mm.yyyy --to dd.mm.yyyy "
         "[--usual HH:MM-HH:MM] [--fill | --no-fill] [--new]"},
        {{"attendance", "build", "--from", "01.05.2024", "--to", "03.05.2024"},
         "Chybí --key, --from nebo --to."},
        {{"attendance", "build", "--key", "XYZ"},
         "Klíč musí být 1 až 14 šestnáctkových číslic a nesmí být nulový: XYZ"},
        {{"attendance", "evaluate", "--key", "00"},
         "Klíč musí být 1 až 14 šestnáctkových číslic a nesmí být nulový: 00"},
        {{"attendance", "build", "--key", kJan, "--from", "1.5.2024"},
         "Chybné datum (dd.mm.yyyy): 1.5.2024"},
        {{"attendance", "build", "--key", kJan, "--to", "01.05.2024 07:00"},
         "Chybné datum (dd.mm.yyyy): 01.05.2024 07:00"},
        {{"attendance", "build", "--key", kJan, "--usual", "7:00-15:30"},
         "Obvyklá směna musí být HH:MM-HH:MM: 7:00-15:30"},
        {{"attendance", "build", "--key", kJan, "--csv"}, "Neznámý nebo neúplný parametr: --csv"},
        {{"attendance", "evaluate", "--key", kJan, "--fill"},
         "Neznámý nebo neúplný parametr: --fill"},
        {{"attendance", "evaluate", "--key"}, "Neznámý nebo neúplný parametr: --key"},
        {{"attendance", "build", "--key", kJan, "--from", "01.03.2024", "--to", "01.04.2024"},
         "Nevhodný časový interval!"},
        {{"attendance", "evaluate", "--key", kJan, "--from", "31.01.2023", "--to", "01.03.2023"},
         "Nevhodný interval zpracování!"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.firstLine;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstLine);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / kCardRegisterFile));
}

TEST_F(AttendanceCli, WhatCannotBeBuiltOrEvaluatedIsSaid) {
    const CliRun stranger =
        run({"attendance", "build", "--key", "0C", "--from", "01.05.2024", "--to", "03.05.2024"});
    EXPECT_EQ(stranger.status, 1);
    EXPECT_EQ(stranger.err, "Klíč 0C000000000000 nepatří žádnému nositeli klíče (QTR0002.DAT).\n");
    const CliRun noEvents = build();
    EXPECT_EQ(noEvents.status, 1);
    EXPECT_EQ(noEvents.err, "Chybí originální události docházky!\n");
    const CliRun noRegister = evaluate();
    EXPECT_EQ(noRegister.status, 1);
    EXPECT_EQ(noRegister.err, "Registr karet KARTY.DAT neexistuje.\n");
    EXPECT_FALSE(std::filesystem::exists(dir / kCardRegisterFile));

    // A damaged unit file would lose the bookings of the units after the fault.
    const auto units = test::readBytes(dir / "QTR0001.DAT");
    test::writeBytes(dir / "QTR0001.DAT",
                     std::vector<std::uint8_t>(units.begin(), units.end() - 1));
    book({{"01 07:00", 0}});
    const CliRun badUnits = build();
    EXPECT_EQ(badUnits.status, 1);
    EXPECT_TRUE(badUnits.err.starts_with("Soubor QTR0001.DAT je poškozen")) << badUnits.err;
    EXPECT_FALSE(std::filesystem::exists(dir / kCardRegisterFile));
    test::writeBytes(dir / "QTR0001.DAT", units);

    // A departure without arrival on 2.5.: the card is saved, its check fails, and so
    // does the evaluation, naming the line.
    book({{"01 07:00", 0}, {"01 15:00", 4}, {"02 15:30", 4}});
    const CliRun built = build();
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_NE(built.out.find("    2" + std::string(30, ' ') + "02.05. 15:30  00:00  " + "směna" +
                             std::string(16, ' ') + "#den směny\n"),
              std::string::npos)
        << built.out;
    EXPECT_NE(built.out.find("Kontrola: karta obsahuje chyby (viz Poznámka).\n"),
              std::string::npos);
    const CliRun faulty = evaluate();
    EXPECT_EQ(faulty.status, 1);
    EXPECT_EQ(faulty.err, "Chyby v docházkové kartě!\nřádek 2: #den směny\n");
    EXPECT_EQ(faulty.out, "");
    EXPECT_EQ(storedCard().line(2).note.text(), "#den směny");

    // With filling the usual start (06:00 of the morning pattern) completes it.
    ASSERT_EQ(build({"--fill"}).status, 0);
    const CliRun filled = evaluate();
    ASSERT_EQ(filled.status, 0) << filled.err;
    EXPECT_NE(filled.out.find("02.05.2024 čt      8:00    9:30    1:30   06:00   15:30     9:30\n"),
              std::string::npos)
        << filled.out;
    EXPECT_EQ(storedCard().fillMissing, 1);

    // A holiday table that cannot be read would turn its holidays into working days.
    test::writeBytes(dir / "QTR0006.DAT", std::vector<std::uint8_t>(50, 0));
    const CliRun damaged = evaluate();
    EXPECT_EQ(damaged.status, 1);
    EXPECT_TRUE(damaged.err.starts_with("Soubor QTR0006.DAT je poškozen: jeho velikost 50 B"))
        << damaged.err;
    EXPECT_EQ(damaged.out, "");

    const CliRun otherKey = run(
        {"attendance", "evaluate", "--key", kJan, "--from", "01.06.2024", "--to", "02.06.2024"});
    EXPECT_EQ(otherKey.status, 1);
    EXPECT_EQ(otherKey.err, "Období zpracování 01.06.2024 - 02.06.2024 nezasahuje do "
                            "platnosti karty 01.05.2024 - 03.05.2024.\n");
}

TEST_F(AttendanceCli, CardParametersStayUnlessGivenAndNewStartsTheLinesAgain) {
    book({{"01 07:00", 0}, {"01 15:00", 4}, {"02 07:00", 0}, {"02 15:00", 4}});
    ASSERT_EQ(build({"--usual", "22:00-06:00", "--fill"}).status, 0);
    AttendanceCard card = storedCard();
    EXPECT_EQ(card.lineCount(), 2);
    EXPECT_TRUE(card.isNightShift());
    EXPECT_EQ(card.fillMissing, 1);
    EXPECT_EQ(card.dateFrom, encodeDate(2024, 5, 1));
    EXPECT_EQ(card.dateTo, encodeDate(2024, 5, 3));
    EXPECT_EQ(minutesOf(card.line(1).duration), 480);

    ASSERT_EQ(build({"--no-fill"}).status, 0);
    card = storedCard();
    EXPECT_EQ(card.lineCount(), 2); // nothing newer than the card
    EXPECT_TRUE(card.isNightShift());
    EXPECT_EQ(card.fillMissing, 0);

    const CliRun fresh = build({"--new"});
    ASSERT_EQ(fresh.status, 0);
    EXPECT_NE(fresh.out.find("Použito událostí: 4, přidáno řádků: 2, řádků karty: 2"),
              std::string::npos)
        << fresh.out;
    std::vector<AttendanceCard> all;
    CardRegister reg;
    ASSERT_TRUE(reg.open(dir / kCardRegisterFile));
    ASSERT_TRUE(reg.readAll(all));
    EXPECT_EQ(all.size(), 1u); // one record per key holder, updated in place
}

TEST_F(AttendanceCli, OutputFilesAreTheProgramsTextAndTheSpreadsheetTable) {
    book({{"01 06:00", 0}, {"01 14:30", 4}});
    ASSERT_EQ(build().status, 0);
    const auto text = dir / "vykaz.txt";
    ASSERT_EQ(run({"--out", text.string(), "attendance", "evaluate", "--key", kJan, "--from",
                   "01.05.2024", "--to", "01.05.2024"})
                  .status,
              0);
    const std::string bytes = test::readText(text);
    EXPECT_EQ(bytes.substr(0, 50),
              utf8ToWin1250("Vyhodnocení docházky: Jan Novák (") + "0100000012345A)\r\n");
    EXPECT_NE(bytes.find("\r\nCELKEM              8:00    8:30    0:30" + std::string(16, ' ') +
                         "     8:30\r\n"),
              std::string::npos)
        << bytes;
    EXPECT_EQ(bytes.find("\r\r"), std::string::npos);

    const auto table = dir / "vykaz.csv";
    ASSERT_EQ(run({"--out", table.string(), "attendance", "evaluate", "--key", kJan, "--from",
                   "01.05.2024", "--to", "01.05.2024", "--csv"})
                  .status,
              0);
    EXPECT_EQ(test::readText(table),
              "\xEF\xBB\xBF"
              "Datum;Den;Typ;Norma;Výkon;Saldo;Počátek;Konec;Na prac.;Služebně;Lékař;Přest.;"
              "volný;Dovol.;Nemoc;Poznámka;Upozornění\r\n"
              "01.05.2024;st;;8:00;8:30;0:30;06:00;14:30;8:30;0:00;0:00;0:00;0:00;0:00;0:00;;\r\n"
              "CELKEM;;;8:00;8:30;0:30;;;8:30;0:00;0:00;0:00;0:00;0:00;0:00;;\r\n");
}

TEST_F(AttendanceCli, AFullCardIsSavedAndReportedAsAFailure) {
    std::vector<std::pair<std::string, int>> departures;
    for (int i = 0; i < 301; ++i) {
        char when[9];
        std::snprintf(when, sizeof when, "%02d %02d:%02d", 1 + i / 120, i / 60 % 2 + 8, i % 60);
        departures.emplace_back(when, 4);
    }
    book(departures);
    const CliRun full = build();
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "Karta je plná (300 řádků): pozdější události nebyly zpracovány.\n");
    EXPECT_NE(full.out.find("Použito událostí: 300, přidáno řádků: 300, řádků karty: 300"),
              std::string::npos);
    EXPECT_EQ(storedCard().lineCount(), 300);
}

} // namespace
} // namespace qtr
