#include "base/win1250.h"
#include "calendar/holiday_table.h"
#include "calendar/standard_holidays.h"
#include "cli/cli_run.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr::cli {
namespace {

using test::CliRun;

CliRun run(const test::TempDir& dir, std::vector<std::string> args) {
    return test::runQtrCli(dir.path(), std::move(args));
}

void writeIni(const test::TempDir& dir, const std::string& utf8) {
    const std::string bytes = utf8ToWin1250(utf8);
    test::writeBytes(dir / kStandardHolidaysFile, {bytes.begin(), bytes.end()});
}

TEST(CliCalendar, StandardListDeleteYearAndTheFiles) {
    test::TempDir dir;
    writeIni(dir, "01.01.Nový rok\r\n1.5.Svátek práce\r\n24.12.Štědrý den\r\n");
    CliRun r = run(dir, {"holidays", "standard", "2008"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "přidáno svátků: 3, svátků celkem: 3\n");
    EXPECT_EQ(r.err, "SVATKY.INI - chybné datum: 1.5.Svátek práce\n");
    EXPECT_EQ(std::filesystem::file_size(dir / kHolidaysFile), 3u * 49u);

    r = run(dir, {"holidays", "standard", "2009"});
    ASSERT_EQ(r.status, 0);
    r = run(dir, {"holidays", "standard", "2008"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "přidáno svátků: 0, svátků celkem: 6\n");
    EXPECT_EQ(r.err, "Duplicitní datum svátku - ignorováno: Nový rok\n"
                     "SVATKY.INI - chybné datum: 1.5.Svátek práce\n"
                     "Duplicitní datum svátku - ignorováno: Štědrý den\n"
                     "Duplicitní datum svátku - ignorováno: Pondělí velikonoční\n");

    r = run(dir, {"holidays"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Přehled evidovaných svátků\n\n"
                     "01.01.2008 út Nový rok\n24.03.2008 po Pondělí velikonoční\n"
                     "24.12.2008 st Štědrý den\n01.01.2009 čt Nový rok\n"
                     "13.04.2009 po Pondělí velikonoční\n24.12.2009 čt Štědrý den\n");

    r = run(dir, {"holidays", "delete-year", "2008"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "smazáno svátků: 3, svátků celkem: 3\n");
    r = run(dir, {"--out", (dir / "svatky.txt").string(), "holidays", "list"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(test::readText(dir / "svatky.txt"),
              utf8ToWin1250("Přehled evidovaných svátků\r\n\r\n01.01.2009 čt Nový rok\r\n"
                            "13.04.2009 po Pondělí velikonoční\r\n24.12.2009 čt Štědrý "
                            "den\r\n"));
}

TEST(CliCalendar, RefusalsAndFailures) {
    test::TempDir dir;
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string errStart;
    };
    const std::vector<Case> cases = {
        {{"holidays", "standard", "2024"}, 1, "SVATKY.INI - soubor nenalezen\n"},
        {{"holidays", "standard", "1899"}, 2, "použití: holidays"},
        {{"holidays", "standard", "2100"}, 2, "použití: holidays"},
        {{"holidays", "delete-year", "20x4"}, 2, "použití: holidays"},
        {{"holidays", "purge"}, 2, "použití: holidays"},
        {{"calendar"}, 2, "použití: calendar ROK"},
        {{"planning", "2024", "--days"}, 2, "použití: planning"},
        {{"planning"}, 2, "použití: planning"},
    };
    for (const Case& c : cases) {
        const CliRun r = run(dir, c.args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << r.err;
        EXPECT_EQ(r.err.substr(0, c.errStart.size()), c.errStart) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / kHolidaysFile));

    // A damaged holiday file is reported, kept aside and never written over.
    test::writeBytes(dir / kHolidaysFile, std::vector<std::uint8_t>(50, 0));
    writeIni(dir, "01.01.Nový rok\r\n");
    for (const std::vector<std::string>& args : {std::vector<std::string>{"holidays"},
                                                 {"holidays", "standard", "2024"},
                                                 {"holidays", "delete-year", "2024"},
                                                 {"planning", "2024"}}) {
        const CliRun r = run(dir, args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_NE(r.err.find("QTR0006.DAT je poškozen"), std::string::npos) << r.err;
    }
    EXPECT_EQ(std::filesystem::file_size(dir / kHolidaysFile), 50u);
    EXPECT_TRUE(std::filesystem::exists(dir / "QTR0006.DAT.bak"));

    // Without SVATKY.INI the calendar shows the weekends only and says why.
    std::filesystem::remove(dir / kStandardHolidaysFile);
    const CliRun r = run(dir, {"calendar", "2023"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "SVATKY.INI - soubor nenalezen\n");
    EXPECT_NE(r.out.find("\nne 01 N  08 N  15 N  22 N  29 N  \n"), std::string::npos);
}

TEST(CliCalendar, CalendarAndPlanningTexts) {
    test::TempDir dir;
    writeIni(dir, "01.01.Nový rok\r\n");
    CliRun r = run(dir, {"--out", (dir / "kal.txt").string(), "calendar", "2023"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = test::readText(dir / "kal.txt");
    EXPECT_EQ(text.substr(0, 30),
              utf8ToWin1250("Kalendář pro rok 2023\r\n\r\n  leden\r\n").substr(0, 30));
    EXPECT_NE(text.find("\r\nne 01 S  08 N  15 N  22 N  29 N  \r\n"), std::string::npos);

    ASSERT_EQ(run(dir, {"holidays", "standard", "2024"}).status, 0);
    r = run(dir, {"planning", "2024"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("Čtvrtletí:")),
              "Plánovací kalendář pro rok 2024\n\n"
              "               Od     Do    pracovní  pracovní placené  \n"
              "                              dny      volno    svátky  \n"
              "Rok:                          260      104        2\n\n");
    EXPECT_NE(r.out.find("\n 53. týden    30.12. 31.12.     2        0        0\n"),
              std::string::npos);
    EXPECT_EQ(r.out.find("Dekády:"), std::string::npos);

    r = run(dir, {"planning", "2024", "--decades"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find("Měsíce:"), std::string::npos);
    EXPECT_NE(r.out.find("\n\nDekády:"), std::string::npos);
    EXPECT_NE(r.out.find("\n 37. dekáda   26.12. 31.12.     4        2        0\n"),
              std::string::npos);
}

} // namespace
} // namespace qtr::cli
