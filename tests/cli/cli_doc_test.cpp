#include "base/win1250.h"
#include "cli/cli_run.h"
#include "docs/documented_installation.h"
#include "support/pdf_tools.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <regex>
#include <sstream>

namespace qtr {
namespace {

using test::CliRun;

CliRun run(const test::TempDir& dir, std::vector<std::string> args) {
    return test::runQtrCli(dir.path(), std::move(args));
}

// The key list of the documented installation, as the operator reads it.
const std::string kKeyList =
    "SEZNAM IDENTIFIKAČNÍCH KLÍČŮ\n"
    "\n"
    "--------------------------------------------------------------------\n"
    "čís. klíč           jméno                          skupina\n"
    "--------------------------------------------------------------------\n"
    "0001 01000000001001 Jan Novák                      Výroba           \n"
    "0002 01000000001002 Eva Malá                                        \n"
    "0003 01000000001003 Petr Dlouhý                    Sklad            \n"
    "0004 01000000001004 Vadný Záznam                                    \n"
    "0005 01000000001005 Bez Času                                        \n"
    "0006 01000000001006 Prázdný                                         \n"
    "0007 0100000000ABCD Žofie Přívětivá-Šťastná Dlouhá Údržba a opravy  \n"
    "--------------------------------------------------------------------\n"
    "\n";

std::string squeezed(const std::string& text) {
    return std::regex_replace(text, std::regex(" +"), " ");
}

// Removes environment variables for its lifetime.
class EnvironmentWithout {
public:
    EnvironmentWithout() = default;
    explicit EnvironmentWithout(std::vector<std::string> names) {
        for (auto& name : names) {
            const char* value = std::getenv(name.c_str());
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name.c_str());
        }
    }
    ~EnvironmentWithout() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            }
        }
    }
    EnvironmentWithout(const EnvironmentWithout&) = delete;
    EnvironmentWithout& operator=(const EnvironmentWithout&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

struct DocCliTest : ::testing::Test {
    test::TempDir dir;
    void SetUp() override {
        ASSERT_TRUE(test::saveInstallation(test::documentedInstallation(), dir.path()));
    }
};

TEST_F(DocCliTest, KeyListOnStandardOutputAndAsTheProgramsOwnTextFile) {
    CliRun r = run(dir, {"doc", "keys"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kKeyList);
    EXPECT_EQ(r.err, "");

    r = run(dir, {"--out", (dir / "klice.txt").string(), "doc", "keys"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(test::readText(dir / "klice.txt"),
              utf8ToWin1250(std::regex_replace(kKeyList, std::regex("\n"), "\r\n")));
}

TEST_F(DocCliTest, UnitsAndRightsReadEverySixFilesAndWriteNone) {
    CliRun r = run(dir, {"doc", "units"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("POPIS JEDNOTEK\n\n* Jednotka: 01, Hlavní vchod\n"
                                  "Typ: přístupová, VNITŘNÍ\n"));
    r = run(dir, {"doc", "rights", "--detail"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("  10 Kanceláře\n   Dveře 0 \n     08:00 - 12:00 So Ne \n"),
              std::string::npos);
    EXPECT_NE(r.out.find("  Vadná, 55 neznámá jednotka!\n"), std::string::npos);
    r = run(dir, {"doc", "rights"});
    EXPECT_EQ(r.out.find("Kanceláře"), std::string::npos);

    test::TempDir empty;
    r = run(empty, {"doc", "units"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "POPIS JEDNOTEK\n\n-----\n");
    EXPECT_TRUE(std::filesystem::is_empty(empty.path()));
}

TEST_F(DocCliTest, PdfHasTheReportOnNumberedPagesAgainAndAgain) {
    // Twice in one process: the offscreen application comes and goes with the PDF.
    // The second time as from cron: no display and no platform chosen in the environment.
    for (int i = 0; i < 2; ++i) {
        const auto pdf = dir / ("prava" + std::to_string(i) + ".pdf");
        const EnvironmentWithout bare =
            i == 0 ? EnvironmentWithout{} : EnvironmentWithout{{"DISPLAY", "QT_QPA_PLATFORM"}};
        const CliRun r = run(dir, {"--pdf", pdf.string(), "doc", "rights", "--detail"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(test::pdfInfo(pdf, "Title"), "QTR_WORK.RTF");
        const std::string text = squeezed(test::pdfText(pdf));
        for (const char* line :
             {"PŘEHLED NASTAVENÍ", "*01000000001001, Jan Novák, Výroba",
              " 07:00 - 15:30 Po Út St Čt Pá", " Vadná, 55 neznámá jednotka!", "Strana 1 z 1"}) {
            EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
        }
    }
    // --out and --pdf together give both files.
    const CliRun r = run(
        dir, {"--out", (dir / "k.txt").string(), "--pdf", (dir / "k.pdf").string(), "doc", "keys"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "k.txt"));
    EXPECT_NE(squeezed(test::pdfText(dir / "k.pdf")).find("0007 0100000000ABCD Žofie"),
              std::string::npos);
}

TEST_F(DocCliTest, WrongUsageAndFailuresAreToldInCzech) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;
    };
    const Case cases[] = {
        {{"doc"}, 2, "Použití: doc units|keys|rights [--detail]"},
        {{"doc", "klice"}, 2, "Použití: doc"},
        {{"doc", "keys", "--detail"}, 2, "Použití: doc"},
        {{"doc", "rights", "--detal"}, 2, "Použití: doc"},
        {{"--pdf", (dir / "x.pdf").string(), "init"}, 2, "nevypisuje sestavu, --pdf nelze použít"},
        {{"--pdf", (dir / "chybí" / "x.pdf").string(), "doc", "keys"}, 1, "x.pdf"},
    };
    for (const Case& c : cases) {
        const CliRun r = run(dir, c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back();
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.pdf"));
}

TEST_F(DocCliTest, ABrokenFileIsReportedAndWhatLoadedIsStillListed) {
    std::vector<std::uint8_t> bytes = test::readBytes(dir / kKeyHoldersFile);
    bytes.resize(154 * 2 + 10);
    test::writeBytes(dir / kKeyHoldersFile, bytes);
    const CliRun r = run(dir, {"doc", "keys"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("QTR0002.DAT"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("0002 01000000001002 Eva Malá"), std::string::npos);
    EXPECT_EQ(r.out.find("0003"), std::string::npos);
}

} // namespace
} // namespace qtr
