#include "base/win1250.h"
#include "cli/cli_run.h"
#include "db/data_files.h"
#include "db/tables.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr::cli {
namespace {

using test::CliRun;

CliRun run(const test::TempDir& dir, std::vector<std::string> args) {
    return test::runQtrCli(dir.path(), std::move(args));
}

std::string line(std::string_view key, std::string_view name, std::string_view group) {
    std::string l(key);
    l += utf8ToWin1250(name);
    l.resize(44, ' ');
    l += utf8ToWin1250(group);
    l.resize(130, ' ');
    return l + "#\r\n";
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    test::writeBytes(file, std::vector<std::uint8_t>(text.begin(), text.end()));
}

TEST(CliKeys, ImportListExportAndReplace) {
    test::TempDir dir;
    writeText(dir / "lide.sdf", line("0000000012AB01", "Jan Novák", "Výroba") +
                                    line("00000000A0B1C2", "Čeněk Šťastný", "Údržba") +
                                    "krátký řádek\r\n");
    CliRun r = run(dir, {"keys", "import", (dir / "lide.sdf").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Načteno 2 záznamů, přeskočeno 1 řádků, nositelů klíčů celkem: 2\n");
    EXPECT_EQ(std::filesystem::file_size(dir / kKeyHoldersFile), 2u * 154u);

    r = run(dir, {"keys", "list"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "   1  0000000012AB01  Jan Novák                       Výroba\n"
                     "   2  00000000A0B1C2  Čeněk Šťastný                   Údržba\n");

    r = run(dir, {"keys", "import", (dir / "lide.sdf").string()});
    EXPECT_EQ(r.out, "Načteno 2 záznamů, přeskočeno 1 řádků, nositelů klíčů celkem: 4\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "QTR0002.DAT.bak"));
    const auto fourHolders = test::readBytes(dir / kKeyHoldersFile);
    r = run(dir, {"keys", "import", (dir / "lide.sdf").string(), "--replace"});
    EXPECT_EQ(r.out, "Načteno 2 záznamů, přeskočeno 1 řádků, nositelů klíčů celkem: 2\n");
    EXPECT_EQ(test::readBytes(dir / "QTR0002.DAT.bak"), fourHolders);

    r = run(dir, {"keys", "export", (dir / "zpet.sdf").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "exportováno nositelů klíčů: 2\n");
    const std::string original = test::readText(dir / "lide.sdf");
    EXPECT_EQ(test::readText(dir / "zpet.sdf"), original.substr(0, 2 * 133));

    r = run(dir, {"--out", (dir / "seznam.txt").string(), "keys", "list"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(test::readText(dir / "seznam.txt").substr(0, 28),
              utf8ToWin1250("   1  0000000012AB01  Jan No"));
    EXPECT_NE(test::readText(dir / "seznam.txt").find("\r\n"), std::string::npos);
}

// A file that cannot be used as a whole changes nothing, not even with --replace.
TEST(CliKeys, AnUnusableFileChangesNothingAndFails) {
    const std::string faulty = line("00000000000001", "První", "") +
                               line("0000000000000X", "Vadný", "") +
                               line("00000000000003", "Třetí", "");
    for (const auto& [text, message] :
         {std::pair{faulty, "řádek 2: v prvních 14 znacích není číslo klíče"},
          {std::string("jen poznámka\r\n"), "není v něm žádný řádek exportního souboru"}}) {
        test::TempDir dir;
        writeText(dir / "lide.sdf", line("00000000000009", "Stávající", ""));
        ASSERT_EQ(run(dir, {"keys", "import", (dir / "lide.sdf").string()}).status, 0);
        const auto before = test::readBytes(dir / kKeyHoldersFile);
        writeText(dir / "vadny.sdf", text);
        const CliRun r = run(dir, {"keys", "import", (dir / "vadny.sdf").string(), "--replace"});
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_EQ(r.out, "") << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(test::readBytes(dir / kKeyHoldersFile), before) << message;
        EXPECT_FALSE(std::filesystem::exists(dir / "QTR0002.DAT.bak")) << message;
    }
}

TEST(CliKeys, AMissingFileChangesNothingAndWrongUsageIsTwo) {
    test::TempDir dir;
    CliRun r = run(dir, {"keys", "import", (dir / "neni.sdf").string(), "--replace"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / kKeyHoldersFile));
    EXPECT_EQ(run(dir, {"keys"}).status, 2);
    EXPECT_EQ(run(dir, {"keys", "smazat"}).status, 2);
    EXPECT_EQ(run(dir, {"keys", "import", "a", "--nahradit"}).status, 2);
    EXPECT_EQ(run(dir, {"keys", "export"}).status, 2);
    EXPECT_EQ(run(dir, {"keys", "list", "navic"}).status, 2);
}

} // namespace
} // namespace qtr::cli
