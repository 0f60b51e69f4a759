#include "events/event_count_check.h"
#include "events/event_fixtures.h"
#include "events/protocol_log.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

using test::at;
using test::readText;

// A clock that moves one second on at every reading.
class TickingClock final : public Clock {
public:
    explicit TickingClock(DateTime start) : next_(start) {}
    DateTime now() const override {
        const DateTime t = next_;
        next_ += 1.0 / 86400.0;
        return t;
    }

private:
    mutable DateTime next_;
};

TEST(ProtocolLog, FirstAppendWritesTheStarMarkerThenEachLine) {
    test::TempDir dir;
    ManualClock clock(at(2024, 3, 15, 7, 30, 5));
    const ProtocolLog log(dir / kProtocolLogFile, clock);
    ASSERT_TRUE(log.appendLine("START PROGRAMU"));
    clock.set(at(2024, 3, 15, 17, 2, 0));
    ASSERT_TRUE(log.appendLine("UKONČENÍ PROGRAMU"));
    EXPECT_EQ(readText(dir / kProtocolLogFile), "15.03.2024 07:30:05 *\r\n"
                                                "15.03.2024 07:30:05 START PROGRAMU\r\n"
                                                "15.03.2024 17:02:00 UKON\xC8"
                                                "EN\xCD PROGRAMU\r\n");
}

TEST(ProtocolLog, TheClockIsReadForEachLine) {
    test::TempDir dir;
    const TickingClock clock(at(2024, 12, 31, 23, 59, 59));
    const ProtocolLog log(dir / kProtocolLogFile, clock);
    ASSERT_TRUE(log.appendLine("&Sběr dat od jednotek"));
    EXPECT_EQ(readText(dir / kProtocolLogFile), "31.12.2024 23:59:59 *\r\n"
                                                "01.01.2025 00:00:00 &Sb\xECr dat od jednotek\r\n");
}

TEST(ProtocolLog, ClearLeavesOnlyTheHashMarker) {
    test::TempDir dir;
    ManualClock clock(at(2024, 3, 15, 8, 0, 0));
    const ProtocolLog log(dir / kProtocolLogFile, clock);
    ASSERT_TRUE(log.appendLine("A"));
    clock.set(at(2024, 3, 16, 9, 1, 2));
    ASSERT_TRUE(log.clear());
    EXPECT_EQ(readText(dir / kProtocolLogFile), "16.03.2024 09:01:02 #\r\n");
    // The file exists now, so the next append adds no star marker.
    ASSERT_TRUE(log.appendLine("B"));
    EXPECT_EQ(readText(dir / kProtocolLogFile),
              "16.03.2024 09:01:02 #\r\n16.03.2024 09:01:02 B\r\n");
}

TEST(ProtocolLog, ReadGivesTheLinesAsUtf8) {
    test::TempDir dir;
    ManualClock clock(at(2024, 3, 15, 8, 0, 0));
    const ProtocolLog log(dir / kProtocolLogFile, clock);
    std::vector<std::string> lines = {"stale"};
    ASSERT_TRUE(log.read(lines));
    EXPECT_TRUE(lines.empty()); // no log yet
    ASSERT_TRUE(log.appendLine("#Uživatel! Novák heslo"));
    ASSERT_TRUE(log.read(lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"15.03.2024 08:00:00 *",
                                               "15.03.2024 08:00:00 #Uživatel! Novák heslo"}));
}

// A line a crash cut off stays a line of its own; the next one starts on a new line.
TEST(ProtocolLog, ALineCutOffByACrashDoesNotSwallowTheNext) {
    test::TempDir dir;
    ManualClock clock(at(2024, 3, 15, 8, 0, 0));
    const ProtocolLog log(dir / kProtocolLogFile, clock);
    test::writeBytes(dir / kProtocolLogFile, {'1', '5', '.', '0', '3'});
    ASSERT_TRUE(log.appendLine("START PROGRAMU"));
    EXPECT_EQ(readText(dir / kProtocolLogFile), "15.03\r\n15.03.2024 08:00:00 START PROGRAMU\r\n");
    test::writeBytes(dir / kProtocolLogFile, {'A', '\r'}); // cut between CR and LF
    ASSERT_TRUE(log.appendLine("B"));
    EXPECT_EQ(readText(dir / kProtocolLogFile), "A\r\n15.03.2024 08:00:00 B\r\n");
}

TEST(ProtocolLog, UnwritableLogIsReported) {
    test::TempDir dir;
    ManualClock clock(at(2024, 3, 15, 8, 0, 0));
    const ProtocolLog log(dir / "chybí" / kProtocolLogFile, clock);
    EXPECT_FALSE(log.appendLine("A"));
    EXPECT_FALSE(log.clear());
}

TEST(EventCountCheck, WarnsAboveTenThousand) {
    EXPECT_FALSE(eventCountCheck(0));
    EXPECT_FALSE(eventCountCheck(10000));
    const auto w = eventCountCheck(10001);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->caption, "KONTROLA");
    EXPECT_EQ(w->text, "Doporučuje se zmenšit počet uchovávaných událostí\r\n\tviz. "
                       "\"Správa souboru událostí\"");
}

} // namespace
} // namespace qtr
