#include "cli/cli_run.h"
#include "db/configuration_database.h"
#include "events/event_file.h"
#include "events/event_fixtures.h"
#include "events/protocol_log.h"
#include "support/pdf_tools.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace qtr {
namespace {

using test::at;
using test::code;
using test::event;

using test::CliRun;

class EventsCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ConfigurationDatabase db;
        db.zones.ensureMainZone();
        auto gate = test::unit(0x01, kUnitAccess, "Vrátnice");
        gate.usage = 0x01;
        test::addUnit(db, gate);
        test::addHolder(db, "0A", "Jan Novák");
        ASSERT_TRUE(saveConfiguration(db, dir.path()).empty());

        EventFileAppender file;
        ASSERT_TRUE(file.open(dir / kEventFile));
        // Collected out of order: the listing sorts by time, then key.
        ASSERT_TRUE(file.append(event(0x01, "0A", at(2024, 3, 15, 16, 0, 0), code(1, 0))));
        ASSERT_TRUE(file.append(event(0x01, "0A", at(2024, 3, 15, 7, 30, 0), code(0, 0))));
        ASSERT_TRUE(file.append(event(0x01, "", at(2024, 3, 15, 12, 0, 0), code(8, 3))));
        ASSERT_TRUE(file.append(event(0x01, "0B", at(2024, 3, 15, 7, 30, 0), code(2, 1))));
    }

    CliRun run(std::vector<std::string> args) {
        return test::runQtrCli(dir.path(), std::move(args));
    }

    test::TempDir dir;
};

constexpr const char* kArrive = "15.03.2024 07:30:00 Vrátnice, TM0, Jan Novák, povoleno\n";
constexpr const char* kRefused =
    "15.03.2024 07:30:00 Vrátnice, TM2, #neznámý klíč: 0B000000000000, neoprávněný\n";
constexpr const char* kInput = "15.03.2024 12:00:00 Vrátnice, IN0, AKTIVOVÁNO\n";
constexpr const char* kLeave = "15.03.2024 16:00:00 Vrátnice, TM1, Jan Novák, povoleno\n";

TEST_F(EventsCliTest, ListSortsByTimeThenKeyByDefault) {
    const CliRun r = run({"events", "list"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              std::string("Výpis událostí\n\n") + kArrive + kRefused + kInput + kLeave + "---\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(EventsCliTest, ListFiltersAndSorts) {
    EXPECT_EQ(run({"events", "list", "--key", "0A"}).out,
              std::string("Výpis událostí\n\n") + kArrive + kLeave + "---\n");
    EXPECT_EQ(run({"events", "list", "--unit", "2"}).out, "Výpis událostí\n\n---\n");
    EXPECT_EQ(run({"events", "list", "--from", "15.03.2024 07:30:00", "--to", "15.03.2024 12:00:00",
                   "--sort", "2"})
                  .out,
              std::string("Výpis událostí\n\n") + kInput + kArrive + kRefused + "---\n");
    // Door 0 is an attendance door: the refusal at door 1 and the input are no bookings,
    // and the departure is rewritten to code 4, which reader 4 of the unit names.
    EXPECT_EQ(run({"events", "list", "--attendance"}).out,
              std::string("Výpis událostí\n\n") + kArrive +
                  "15.03.2024 16:00:00 Vrátnice, TM4, Jan Novák, povoleno\n---\n");
}

TEST_F(EventsCliTest, ListToTheProgramsOwnFile) {
    const auto listing = dir / "vypis.txt";
    const CliRun r = run({"--out", listing.string(), "events", "list", "--key", "0A"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(test::readText(listing),
              "V\xFDpis ud\xE1lost\xED\r\n\r\n"
              "15.03.2024 07:30:00 Vr\xE1tnice, TM0, Jan Nov\xE1k, povoleno\r\n"
              "15.03.2024 16:00:00 Vr\xE1tnice, TM1, Jan Nov\xE1k, povoleno\r\n---\r\n");
}

TEST_F(EventsCliTest, ListAsAPdfLaidOutAsPrinted) {
    const auto pdf = dir / "vypis.pdf";
    const CliRun r = run({"--pdf", pdf.string(), "events", "list", "--key", "0A"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::string text = test::pdfText(pdf);
    for (const char* part : {"Výpis událostí", "TM1, Jan Novák, povoleno", "Strana 1 z 1"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
}

TEST_F(EventsCliTest, WrongUsageAndMissingFile) {
    EXPECT_EQ(run({"events"}).status, 2);
    EXPECT_EQ(run({"events", "list", "--sort", "7"}).status, 2);
    EXPECT_EQ(run({"events", "list", "--key", "XYZ"}).status, 2);
    EXPECT_EQ(run({"events", "list", "--unit", "123"}).status, 2);
    EXPECT_EQ(run({"events", "list", "--from", "15.03.2024"}).status, 2);
    EXPECT_EQ(run({"events", "list", "--from", "31.02.2024", "--to", "01.03.2024"}).status, 2);
    const CliRun two = run({"events", "list", "--key", "0A", "--attendance"});
    EXPECT_EQ(two.status, 2);
    EXPECT_TRUE(two.err.starts_with("Lze použít jen jeden výběr událostí.\n")) << two.err;

    std::filesystem::remove(dir / kEventFile);
    const CliRun missing = run({"events", "list"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Soubor událostí QTR0005.DAT neexistuje.\n");
    EXPECT_EQ(run({"events", "count"}).out, "0\n");
}

TEST_F(EventsCliTest, CountAndATornFile) {
    EXPECT_EQ(run({"events", "count"}).out, "4\n");
    {
        std::ofstream f(dir / kEventFile, std::ios::binary | std::ios::app);
        f.write("\x01\x02\x03", 3);
    }
    EXPECT_EQ(run({"events", "count"}).out, "4\n");
    const CliRun r = run({"events", "list", "--key", "0A"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Soubor QTR0005.DAT končí neúplným záznamem (3 B), který nebyl načten.\n");
}

TEST_F(EventsCliTest, LogPrintsAndClears) {
    EXPECT_EQ(run({"log"}).out, "");
    ManualClock clock(at(2024, 3, 15, 7, 0, 0));
    ASSERT_TRUE(ProtocolLog(dir / kProtocolLogFile, clock).appendLine("START PROGRAMU"));
    const CliRun shown = run({"log"});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out, "15.03.2024 07:00:00 *\n15.03.2024 07:00:00 START PROGRAMU\n");

    const CliRun cleared = run({"log", "--clear"});
    EXPECT_EQ(cleared.status, 0);
    const std::string text = test::readText(dir / kProtocolLogFile);
    // One line: today's time stamp and the hash marker.
    EXPECT_EQ(text.size(), std::string("dd.mm.yyyy hh:nn:ss #\r\n").size());
    EXPECT_TRUE(text.ends_with(" #\r\n"));
    EXPECT_EQ(run({"log", "--bad"}).status, 2);
}

} // namespace
} // namespace qtr
