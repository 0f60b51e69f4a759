#include "base/clock.h"
#include "cli/cli_run.h"
#include "db/configuration_database.h"
#include "db/data_files.h"
#include "events/event_file.h"
#include "events/event_fixtures.h"
#include "support/hex_dump.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

using test::at;
using test::CliRun;
using test::code;
using test::event;

class EventFileCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ConfigurationDatabase db;
        db.zones.ensureMainZone();
        test::addUnit(db, test::unit(0x01, kUnitAccess, "Vrátnice"));
        test::addHolder(db, "0A", "Jan Novák");
        ASSERT_TRUE(saveConfiguration(db, dir.path()).empty());
        EventRecord odd = event(0x01, "0B", at(2024, 3, 15, 7, 30, 0), code(2, 1));
        odd.reserved1 = 0x5A;
        odd.reserved2 = 0xA5;
        append({event(0x01, "0A", at(2024, 3, 14, 16, 0, 0), code(1, 0)),
                event(0x01, "0A", at(2024, 3, 15, 7, 30, 0), code(0, 0)),
                event(0x01, "", at(2024, 3, 15, 12, 0, 0), code(8, 3)), odd});
        original = test::readBytes(dir / kEventFile);
    }
    void append(const std::vector<EventRecord>& events) {
        EventFileAppender file;
        ASSERT_TRUE(file.open(dir / kEventFile));
        for (const auto& e : events) {
            ASSERT_TRUE(file.append(e));
        }
    }
    CliRun run(std::vector<std::string> args) {
        return test::runQtrCli(dir.path(), std::move(args));
    }
    std::string path(const char* name) const { return (dir / name).string(); }
    // The archive of today (the program's clock) with the n-th name of the day.
    std::string archive(int n = 1) const {
        std::string name = "UDALOSTI-" + formatDateTime("yyyy-mm-dd", SystemClock().now());
        return path((name + (n > 1 ? "-" + std::to_string(n) : "") + ".DAT").c_str());
    }

    test::TempDir dir;
    std::vector<std::uint8_t> original;
};

TEST_F(EventFileCliTest, ExportThenImportWithReplaceGivesTheSameFile) {
    const CliRun exported = run({"events", "export", path("UDALOSTI.SDF")});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, "exportováno událostí: 4\n");
    EXPECT_EQ(test::readText(dir / "UDALOSTI.SDF").substr(126),
              "15.03.202407:30:00010B000000000000125AA5\r\n");

    const CliRun replaced = run({"events", "import", path("UDALOSTI.SDF"), "--replace"});
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(replaced.out, "přidáno událostí: 4\nudálostí v souboru QTR0005.DAT: 4\n");
    EXPECT_BYTES(original, test::readBytes(dir / kEventFile));
    EXPECT_FALSE(std::filesystem::exists(archive()));

    EXPECT_EQ(run({"events", "import", path("UDALOSTI.SDF")}).out,
              "přidáno událostí: 4\nudálostí v souboru QTR0005.DAT: 8\n");
}

TEST_F(EventFileCliTest, AnImpossibleDateStopsTheImportWithTheLinesBeforeKept) {
    std::string text;
    for (const char* stamp : {"16.03.202408:00:00", "31.02.202408:00:00", "17.03.202408:00:00"}) {
        text += std::string(stamp) + "01" + "0A000000000000" + "000000\r\n";
    }
    test::writeBytes(dir / "VADNY.SDF", std::vector<std::uint8_t>(text.begin(), text.end()));
    const CliRun r = run({"events", "import", path("VADNY.SDF")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "přidáno událostí: 1\nudálostí v souboru QTR0005.DAT: 5\n");
    EXPECT_EQ(r.err, "Soubor " + path("VADNY.SDF") +
                         ": Řádek 2: „31.02.2024 08:00:00“ není platné datum a čas. Import "
                         "skončil na tomto řádku; z řádků před ním bylo přidáno událostí: 1.\n");
    EXPECT_EQ(run({"events", "count"}).out, "5\n");
}

TEST_F(EventFileCliTest, TrimAndClearKeepWhatTheyRemoveAndMergeBringsItBack) {
    const CliRun trimmed = run({"events", "trim", "--before", "15.03.2024"});
    EXPECT_EQ(trimmed.status, 0) << trimmed.err;
    EXPECT_EQ(trimmed.out, "Odstraněné události (1) jsou uschovány v souboru " + archive() +
                               ".\nudálostí v souboru QTR0005.DAT: 3\n");
    const CliRun cleared = run({"events", "clear"});
    EXPECT_EQ(cleared.out, "Odstraněné události (3) jsou uschovány v souboru " + archive(2) +
                               ".\nudálostí v souboru QTR0005.DAT: 0\n");

    EXPECT_EQ(run({"events", "merge", archive(2)}).out,
              "přidáno událostí: 3, již obsažených: 0\nudálostí v souboru QTR0005.DAT: 3\n");
    EXPECT_EQ(run({"events", "merge", archive(1)}).out,
              "přidáno událostí: 1, již obsažených: 0\nudálostí v souboru QTR0005.DAT: 4\n");
    // Merging again adds nothing; the events came back, the one earlier day last.
    EXPECT_EQ(run({"events", "merge", archive(2)}).out,
              "přidáno událostí: 0, již obsažených: 3\nudálostí v souboru QTR0005.DAT: 4\n");
    auto back = std::vector<std::uint8_t>(original.begin() + EventRecord::kSize, original.end());
    back.insert(back.end(), original.begin(), original.begin() + EventRecord::kSize);
    EXPECT_BYTES(back, test::readBytes(dir / kEventFile));
}

TEST_F(EventFileCliTest, WrongUsageAndAMissingFile) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"events", "trim"},
                                               {"events", "trim", "--after", "15.03.2024"},
                                               {"events", "clear", "now"},
                                               {"events", "export"},
                                               {"events", "import", "A.SDF", "--replace", "x"},
                                               {"events", "merge"}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 2) << args.size();
        EXPECT_NE(r.err.find("events trim --before dd.mm.yyyy"), std::string::npos);
    }
    // A date that is not one is named, and the file stays as it was.
    const auto before = test::readBytes(dir / kEventFile);
    for (const char* day : {"31.02.2024", "15.03.2024 08:00", "15.3.2024"}) {
        const CliRun r = run({"events", "trim", "--before", day});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, std::string("Chybné datum (dd.mm.yyyy): ") + day + "\n");
        EXPECT_BYTES(before, test::readBytes(dir / kEventFile));
    }
    std::filesystem::remove(dir / kEventFile);
    for (const char* sub : {"clear", "export"}) {
        std::vector<std::string> args = {"events", sub};
        if (std::string(sub) == "export") {
            args.push_back(path("X.SDF"));
        }
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "Soubor událostí QTR0005.DAT neexistuje.\n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / kEventFile));
}

TEST_F(EventFileCliTest, KeysFromEventsAddTheUnknownKeyOnce) {
    append({event(0x01, "0B", at(2024, 3, 16, 7, 0, 0), code(0, 0))});
    const CliRun r = run({"keys", "from-events"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "přidáno nositelů klíčů: 1, nositelů klíčů celkem: 2\n");
    KeyHolderTable saved;
    ASSERT_TRUE(saved.load(dir / kKeyHoldersFile));
    EXPECT_EQ(saved.at(2).holderName.text(), "#0B000000000000");
    EXPECT_EQ(run({"keys", "from-events"}).out,
              "přidáno nositelů klíčů: 0, nositelů klíčů celkem: 2\n");
}

TEST_F(EventFileCliTest, ListAsCsvForASpreadsheet) {
    const std::string header = "\xEF\xBB\xBF"
                               "Datum;Čas;Adresa;Jednotka;Klíč;Jméno;Událost";
    const CliRun r = run({"events", "list", "--key", "0A", "--csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, header +
                         "\n14.03.2024;16:00:00;01;Vrátnice;0A000000000000;Jan Novák;Vrátnice, "
                         "TM1, Jan Novák, povoleno\n15.03.2024;07:30:00;01;Vrátnice;"
                         "0A000000000000;Jan Novák;Vrátnice, TM0, Jan Novák, povoleno\n");
    ASSERT_EQ(run({"--out", path("u.csv"), "events", "list", "--unit", "01", "--csv"}).status, 0);
    const std::string file = test::readText(dir / "u.csv");
    EXPECT_TRUE(file.starts_with(header + "\r\n14.03.2024;16:00:00;")) << file;
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 5);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\r'), 5);
}

} // namespace
} // namespace qtr
