#include "events/event_fixtures.h"
#include "events/event_table.h"
#include "events/event_transfer.h"
#include "support/hex_dump.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <limits>

namespace qtr {
namespace {

using test::at;
using test::event;

EventRecord withReserved(EventRecord e, std::uint8_t r1, std::uint8_t r2) {
    e.reserved1 = r1;
    e.reserved2 = r2;
    return e;
}

void writeText(const std::filesystem::path& file, std::string_view text) {
    test::writeBytes(file, std::vector<std::uint8_t>(text.begin(), text.end()));
}

TEST(EventTransferLine, FortyColumnsWithoutSeparators) {
    const struct {
        EventRecord e;
        const char* line;
    } cases[] = {
        {withReserved(event(0x0A, "01000000001001", at(2026, 12, 9, 7, 58, 2), 0x20), 0x5A, 0xA5),
         "09.12.202607:58:020A01000000001001205AA5"},
        {event(0x00, "00000000000000", at(2000, 1, 1), 0x38),
         "01.01.200000:00:000000000000000000380000"},
        // A unit's impossible time stamp is stored as 0.0.
        {event(0xFF, "FF0000000000FF", 0.0, 0xFF), "30.12.189900:00:00FFFF0000000000FFFF0000"},
        {event(0x01, "01000000001001", std::numeric_limits<double>::quiet_NaN(), 0x00),
         "??.??.??????:??:??0101000000001001000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(eventTransferLine(c.e), c.line);
        EXPECT_EQ(eventTransferLine(c.e).size(), kTransferEventLineLength);
    }
}

// Export, then import with the table emptied first, gives the same bytes back.
TEST(EventTransfer, ExportThenImportReproducesTheRecordsByteForByte) {
    test::TempDir dir;
    EventTable table;
    const EventRecord records[] = {
        withReserved(event(0x30, "0100000000AB12", at(2026, 12, 9, 23, 59, 58), 0x13), 0x01, 0xFE),
        event(0x02, "00000000000000", at(2026, 2, 28, 0, 0, 0), 0x3B),
        event(0x10, "01000000001014", 0.0, 0x24),
        withReserved(event(0xFE, "FFFFFFFFFFFFFF", at(2099, 12, 31, 12, 30, 44), 0xC7), 0x80, 0x7F),
    };
    for (const auto& e : records) {
        ASSERT_TRUE(table.append(e));
    }
    const std::vector<std::uint8_t> before(table.bytes().begin(), table.bytes().end());
    const EventExport exported = exportEvents(table.bytes(), dir / "UDALOSTI.SDF");
    ASSERT_TRUE(exported.result) << exported.result.error();
    EXPECT_EQ(exported.written, 4);
    EXPECT_EQ(exported.invalidDates, 0);
    const std::string text = test::readText(dir / "UDALOSTI.SDF");
    EXPECT_EQ(text.size(), 4u * 42u);
    EXPECT_EQ(text.substr(0, 42), "09.12.202623:59:58300100000000AB121301FE\r\n");

    table.clear();
    ASSERT_TRUE(table.append(event(0x99, "01", at(2020, 1, 1), 0)));
    const EventImport imported = importEvents(table, dir / "UDALOSTI.SDF", true);
    ASSERT_TRUE(imported.result) << imported.result.error();
    EXPECT_EQ(imported.added, 4);
    EXPECT_BYTES(before, table.bytes());
}

// An SDF line from its columns.
std::string sdf(std::string_view stamp, std::string_view address, std::string_view key,
                std::string_view rest = "000000") {
    return std::string(stamp) + std::string(address) + std::string(key) + std::string(rest);
}

TEST(EventTransfer, AFaultyLineStopsTheImportAndKeepsTheLinesBeforeIt) {
    const std::string key = "01000000001001";
    const std::string good = sdf("01.02.202607:00:00", "01", key) + "\r\n" +
                             sdf("01.02.202607:00:02", "01", "01000000001002") + "\r\n";
    const struct {
        std::string third; // the faulty line (or the end of a good file)
        int added;
        int failedLine;
        std::string message;
    } cases[] = {
        {sdf("31.02.202608:00:00", "01", key), 2, 3,
         "Řádek 3: „31.02.2026 08:00:00“ není platné datum a čas. Import skončil na tomto "
         "řádku; z řádků před ním bylo přidáno událostí: 2."},
        {sdf("01.02.202624:00:00", "01", key), 2, 3, "„01.02.2026 24:00:00“ není platné"},
        {sdf("1.02.2026 08:00:00", "01", key), 2, 3, "„1.02.2026  08:00:00“ není platné"},
        {sdf("01.02.202608:00:00", "01", key) + "X", 2, 3, "Řádek 3: řádek nemá 40 znaků (má 41)"},
        {"01.02.2026", 2, 3, "řádek nemá 40 znaků (má 10)"},
        {sdf("01.02.202608:00:00", "G1", key), 2, 3,
         "adresa jednotky „G1“ není šestnáctkové číslo"},
        {sdf("01.02.202608:00:00", "01", "01000000001-01"), 2, 3, "klíč „01000000001-01“ není"},
        {sdf("01.02.202608:00:00", "01", key, "0z0000"), 2, 3, "kód události „0z“"},
        {sdf("01.02.202608:00:00", "01", key, "0000 0"), 2, 3, "pom-2 „ 0“"},
        // Empty lines (a blank line at the end, say) are passed over.
        {"\r\n\r\n" + sdf("01.02.202608:00:00", "01", key), 3, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.third);
        test::TempDir dir;
        writeText(dir / "IN.SDF", good + c.third + "\r\n");
        EventTable table;
        const EventImport r = importEvents(table, dir / "IN.SDF", false);
        EXPECT_EQ(r.added, c.added);
        EXPECT_EQ(table.count(), c.added);
        EXPECT_EQ(r.failedLine, c.failedLine);
        EXPECT_EQ(r.result.ok(), c.failedLine == 0);
        EXPECT_NE(r.result.error().find(c.message), std::string::npos) << r.result.error();
        EXPECT_EQ(table.at(2).timestamp, at(2026, 2, 1, 7, 0, 2));
        EXPECT_EQ(table.at(2).keyNumber.text(), "01000000001002");
    }
}

TEST(EventTransfer, AppendsOrReplacesAndStopsWhenTheTableIsFull) {
    test::TempDir dir;
    std::string three;
    for (const char* stamp : {"01.02.202607:00:00", "01.02.202607:00:02", "01.02.202607:00:04"}) {
        three += sdf(stamp, "01", "01000000001001") + "\r\n";
    }
    writeText(dir / "IN.SDF", three);
    EventTable table;
    ASSERT_TRUE(table.append(event(0x77, "01", at(2020, 1, 1), 0)));

    // An unreadable file costs nothing, even with the table to be emptied.
    const EventImport missing = importEvents(table, dir / "NONE.SDF", true);
    EXPECT_FALSE(missing.result);
    EXPECT_EQ(table.count(), 1);

    EXPECT_EQ(importEvents(table, dir / "IN.SDF", false).added, 3);
    EXPECT_EQ(table.count(), 4);
    EXPECT_EQ(table.at(1).unitAddress, 0x77);
    EXPECT_EQ(importEvents(table, dir / "IN.SDF", true).added, 3);
    EXPECT_EQ(table.count(), 3);

    while (table.count() < EventTable::kCapacity - 1) {
        ASSERT_TRUE(table.append(event(0x01, "01", at(2020, 1, 1), 0)));
    }
    const EventImport full = importEvents(table, dir / "IN.SDF", false);
    EXPECT_TRUE(full.result);
    EXPECT_EQ(full.added, 1);
    EXPECT_EQ(full.notTaken, 2);
    EXPECT_EQ(table.count(), EventTable::kCapacity);
}

} // namespace
} // namespace qtr
