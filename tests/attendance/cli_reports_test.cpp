// qtr-cli attendance report, attendance card and codes: the printed texts of the
// register's cards, the payroll run over every booked holder, and the refusals.

#include "attendance/attendance_cli_fixture.h"
#include "attendance/attendance_data.h"
#include "support/pdf_tools.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace qtr {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t nl; (nl = text.find('\n', from)) != std::string::npos; from = nl + 1) {
        lines.push_back(text.substr(from, nl - from));
    }
    return lines;
}

class AttendanceReportCli : public AttendanceCli {
protected:
    void SetUp() override {
        AttendanceCli::SetUp();
        ReportRowDefinition columns;
        const AttendanceCodeList codes = AttendanceCodeList::defaults();
        columns.append({1, codes.record(1)->column});
        for (int fixed : {101, 102, 103}) {
            columns.append({static_cast<std::uint8_t>(fixed), *fixedItemColumn(fixed)});
        }
        ASSERT_TRUE(saveRowDefinition(dir / kRowDefinitionFile, columns));
    }

    CliRun buildEva() {
        return run(
            {"attendance", "build", "--key", kEva, "--from", "01.05.2024", "--to", "03.05.2024"});
    }
};

TEST_F(AttendanceReportCli, TheReportOfOneHolderWithTheDefinedColumns) {
    book({{"01 06:00", 0}, {"01 14:30", 4}});
    ASSERT_EQ(build().status, 0);
    const CliRun r =
        run({"attendance", "report", "--key", kJan, "--from", "01.05.2024", "--to", "02.05.2024"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string rule(45, '-');
    EXPECT_EQ(linesOf(r.out), (std::vector<std::string>{
                                  "VÝKAZ DOCHÁZKY",
                                  "",
                                  "Jan Novák",
                                  "01.05.2024 - 02.05.2024",
                                  "bez plánu práce 0",
                                  rule,
                                  "| Den směny    Na prac.| Norma| Výkon| Saldo|",
                                  rule,
                                  "|01.05.2024 st|   08:30| 08:00| 08:30| 00:30|",
                                  "|02.05.2024 čt|     -  | 08:00|   -  |-08:00|",
                                  rule,
                                  "| CELKEM:          8:30| 16:00|  8:30| -7:30|",
                                  rule,
                              }));
}

TEST_F(AttendanceReportCli, ThePayrollRunPrintsEveryBookedHolderOnAPageOfItsOwn) {
    book({{"01 06:00", 0}, {"01 14:30", 4}});
    book({{"02 07:00", 0}, {"02 15:00", 4}}, kEva, true);
    book({{"02 08:00", 0}}, "0300000000000C", true); // a key nobody holds
    ASSERT_EQ(build().status, 0);
    const auto pdf = dir / "vykazy.pdf";
    const std::vector<std::string> args = {"--pdf",      pdf.string(), "attendance",
                                           "report",     "--all",      "--from",
                                           "01.05.2024", "--to",       "31.05.2024"};

    // Eva has no card yet: Jan's page is printed, Eva is named, and the run fails.
    const CliRun missing = run(args);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err,
              "Klíč 0300000000000C má v období docházkové události, ale nepatří žádnému nositeli.\n"
              "Karta klíče 0200000012345B v registru KARTY.DAT není.\n");
    EXPECT_EQ(test::pdfInfo(pdf, "Pages"), "1");

    ASSERT_EQ(buildEva().status, 0);
    const CliRun all = run(args);
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out, "");
    ASSERT_EQ(test::pdfInfo(pdf, "Pages"), "2");
    const std::string text = test::pdfText(pdf);
    const std::size_t pageEnd = text.find('\f');
    ASSERT_NE(pageEnd, std::string::npos);
    const std::string first = text.substr(0, pageEnd);
    const std::string second = text.substr(pageEnd + 1);
    EXPECT_NE(first.find("VÝKAZ DOCHÁZKY"), std::string::npos);
    EXPECT_NE(first.find("Jan Novák"), std::string::npos);
    EXPECT_EQ(first.find("Eva Malá"), std::string::npos);
    EXPECT_NE(first.find("Strana 1 z 2"), std::string::npos);
    EXPECT_NE(second.find("VÝKAZ DOCHÁZKY"), std::string::npos);
    EXPECT_NE(second.find("Eva Malá"), std::string::npos);
    EXPECT_NE(second.find("02.05.2024 čt"), std::string::npos) << second;
    EXPECT_NE(second.find("Strana 2 z 2"), std::string::npos);

    // On standard output the two reports are parted by a page break line.
    const CliRun plain =
        run({"attendance", "report", "--all", "--from", "01.05.2024", "--to", "31.05.2024"});
    const auto lines = linesOf(plain.out);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "\f"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "VÝKAZ DOCHÁZKY"), 2);

    // Nobody booked in June.
    const CliRun june =
        run({"attendance", "report", "--all", "--from", "01.06.2024", "--to", "30.06.2024"});
    EXPECT_EQ(june.status, 1);
    EXPECT_EQ(june.err, "V období 01.06.2024 - 30.06.2024 nemá žádný nositel klíče docházkové "
                        "události.\n");
}

TEST_F(AttendanceReportCli, TheCardPrintoutAndThePrintedCodeList) {
    book({{"01 06:00", 0}, {"01 14:30", 4}});
    ASSERT_EQ(build().status, 0);
    const CliRun card = run({"attendance", "card", "--key", kJan});
    ASSERT_EQ(card.status, 0) << card.err;
    const std::string rule = "|" + std::string(89, '-') + "|";
    EXPECT_EQ(linesOf(card.out),
              (std::vector<std::string>{
                  "DOCHÁZKOVÁ KARTA", "", "Jan Novák", "01.05.2024 - 03.05.2024", rule,
                  "| Datum         | Začátek      | Konec        | Doba  | Druh                 | "
                  "Poznámka   |",
                  rule,
                  "| 01.05.2024 st | 01.05. 06:00 | 01.05. 14:30 | 08:30 | směna                | "
                  "           |",
                  rule}));

    const CliRun codes = run({"codes"});
    ASSERT_EQ(codes.status, 0) << codes.err;
    const auto lines = linesOf(codes.out);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "ČÍSELNÍK DOCHÁZKY");
    EXPECT_TRUE(lines[2].starts_with("Tisk: ")) << lines[2];
    EXPECT_EQ(lines[6], "001                směna ANO  00:00 12:00 (Na prac. [8/P])");
    EXPECT_EQ(lines[13], std::string(70, '-'));
}

TEST_F(AttendanceReportCli, WrongUsageAndMissingCards) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* firstLine;
    } cases[] = {
        {{"attendance", "report", "--from", "01.05.2024", "--to", "02.05.2024"},
         2,
         "Zadejte buď --key, nebo --all."},
        {{"attendance", "report", "--all", "--key", kJan, "--from", "01.05.2024", "--to",
          "02.05.2024"},
         2,
         "Zadejte buď --key, nebo --all."},
        {{"attendance", "report", "--all", "--from", "01.05.2024"},
         2,
         "Chybí --key, --from nebo --to."},
        {{"attendance", "report", "--key", kJan, "--from", "01.03.2024", "--to", "01.04.2024"},
         2,
         "Nevhodný interval zpracování!"},
        {{"attendance", "card"}, 2, "Chybí --key."},
        {{"attendance", "card", "--key", kJan, "--from", "01.05.2024"},
         2,
         "Neznámý nebo neúplný parametr: --from"},
        {{"attendance", "evaluate", "--all"}, 2, "Neznámý nebo neúplný parametr: --all"},
        {{"codes", "všechny"}, 2, "Použití: codes"},
        {{"attendance", "card", "--key", kJan}, 1, "Registr karet KARTY.DAT neexistuje."},
        {{"attendance", "report", "--key", kJan, "--from", "01.05.2024", "--to", "02.05.2024"},
         1,
         "Registr karet KARTY.DAT neexistuje."},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.firstLine;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstLine);
        EXPECT_EQ(r.out, "");
    }
    book({{"01 06:00", 0}, {"01 14:30", 4}});
    ASSERT_EQ(build().status, 0);
    const CliRun eva = run({"attendance", "card", "--key", kEva});
    EXPECT_EQ(eva.status, 1);
    EXPECT_EQ(eva.err, "Karta klíče 0200000012345B v registru KARTY.DAT není.\n");
}

} // namespace
} // namespace qtr
