#include "base/file_lock.h"
#include "events/event_archive.h"
#include "events/event_file.h"
#include "events/event_file_rewrite.h"
#include "events/event_fixtures.h"
#include "support/hex_dump.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <limits>
#include <sys/wait.h>
#include <unistd.h>

namespace qtr {
namespace {

using test::at;
using test::bytesOf;
using test::code;
using test::event;

using Bytes = std::vector<std::uint8_t>;

const DateTime kToday = at(2026, 12, 9, 10, 0, 0);

// Event n: unit n, at 07:00 on the given day of December 2026.
EventRecord on(int day, int n = 1) {
    return event(static_cast<std::uint8_t>(n), "01000000001001", at(2026, 12, day, 7, 0, 0),
                 code(0, 0));
}

struct RewriteTest : ::testing::Test {
    test::TempDir dir;
    std::filesystem::path file = dir / kEventFile;
    void write(const std::vector<EventRecord>& events) { test::writeBytes(file, bytesOf(events)); }
    Bytes archive(const char* name) { return test::readBytes(dir / name); }
};

TEST_F(RewriteTest, TrimCutsAtTheDayAndArchivesWhatItRemoves) {
    EventRecord lastSecond = on(8, 2);
    lastSecond.timestamp = at(2026, 12, 8, 23, 59, 59);
    EventRecord midnight = on(9, 3);
    midnight.timestamp = at(2026, 12, 9);
    EventRecord noDate = on(1, 4);
    noDate.timestamp = 0.0;
    EventRecord garbage = on(1, 5);
    garbage.timestamp = std::numeric_limits<double>::quiet_NaN();
    write({on(10, 1), lastSecond, midnight, noDate, garbage, on(7, 6)});

    const EventFileRewrite r = trimEventFile(file, at(2026, 12, 9), kToday);
    ASSERT_TRUE(r.result) << r.result.error();
    EXPECT_EQ(r.before, 6u);
    EXPECT_EQ(r.after, 3u);
    EXPECT_EQ(r.archived, 3u);
    EXPECT_EQ(r.archive, dir / "UDALOSTI-2026-12-09.DAT");
    // Both keep the file's order; a time stamp that is no date is not earlier than any.
    EXPECT_BYTES(bytesOf({on(10, 1), midnight, garbage}), test::readBytes(file));
    EXPECT_BYTES(bytesOf({lastSecond, noDate, on(7, 6)}), archive("UDALOSTI-2026-12-09.DAT"));
    EXPECT_EQ(archiveNote(r), "Odstraněné události (3) jsou uschovány v souboru " +
                                  (dir / "UDALOSTI-2026-12-09.DAT").string() + ".");

    // Removing nothing writes no archive.
    const EventFileRewrite again = trimEventFile(file, at(2026, 12, 9), kToday);
    EXPECT_TRUE(again.result);
    EXPECT_EQ(again.archived, 0u);
    EXPECT_TRUE(again.archive.empty());
    EXPECT_EQ(archiveNote(again), "");
    EXPECT_EQ(nextEventArchivePath(file, kToday), dir / "UDALOSTI-2026-12-09-2.DAT");
}

TEST_F(RewriteTest, TrimInTheWindowsOrder) {
    write({on(12, 1), on(10, 2), on(1, 3), on(11, 4)});
    ASSERT_TRUE(trimEventFile(file, at(2026, 12, 9), kToday, SortKind::TimeThenKey).result);
    EXPECT_BYTES(bytesOf({on(10, 2), on(11, 4), on(12, 1)}), test::readBytes(file));
}

// An archive of the day is never overwritten: the next one gets the next name.
TEST_F(RewriteTest, ClearKeepsEveryEventInANewArchiveOfTheDay) {
    const Bytes older = {1, 2, 3};
    test::writeBytes(dir / "UDALOSTI-2026-12-09.DAT", older);
    write({on(1, 1), on(2, 2)});
    EXPECT_EQ(nextEventArchivePath(file, kToday), dir / "UDALOSTI-2026-12-09-2.DAT");
    const EventFileRewrite r = clearEventFile(file, kToday);
    ASSERT_TRUE(r.result) << r.result.error();
    EXPECT_EQ(r.archive, dir / "UDALOSTI-2026-12-09-2.DAT");
    EXPECT_EQ(test::readBytes(file).size(), 0u);
    EXPECT_BYTES(bytesOf({on(1, 1), on(2, 2)}), archive("UDALOSTI-2026-12-09-2.DAT"));
    EXPECT_BYTES(older, archive("UDALOSTI-2026-12-09.DAT"));

    write({on(3, 3)});
    EXPECT_EQ(clearEventFile(file, kToday).archive, dir / "UDALOSTI-2026-12-09-3.DAT");
    EXPECT_EQ(clearEventFile(file, kToday).archived, 0u);
    // A missing file is made empty, as the window's "smazat vše" leaves it.
    std::filesystem::remove(file);
    EXPECT_TRUE(clearEventFile(file, kToday).result);
    EXPECT_TRUE(std::filesystem::exists(file));
}

// Each record counts as often as it occurs: the archive gets exactly what is gone.
TEST_F(RewriteTest, ReplaceAndAppendCountRecordsByteForByte) {
    const EventRecord a = on(1, 1), b = on(2, 2), c = on(3, 3), d = on(4, 4);
    write({a, b, b, c});
    const EventFileRewrite replaced = replaceEventFile(file, bytesOf({b, c, d}), kToday);
    ASSERT_TRUE(replaced.result);
    EXPECT_BYTES(bytesOf({b, c, d}), test::readBytes(file));
    EXPECT_BYTES(bytesOf({a, b}), archive("UDALOSTI-2026-12-09.DAT"));

    const EventFileRewrite merged = appendToEventFile(file, bytesOf({d, b, b, a}), true);
    ASSERT_TRUE(merged.result);
    EXPECT_EQ(merged.added, 2u);
    EXPECT_EQ(merged.alreadyThere, 2u);
    EXPECT_BYTES(bytesOf({b, c, d, b, a}), test::readBytes(file));
    EXPECT_EQ(appendToEventFile(file, bytesOf({d, b, b, a}), true).added, 0u);
    EXPECT_EQ(appendToEventFile(file, bytesOf({a}), false).added, 1u);
    EXPECT_EQ(merged.archived, 0u);
}

TEST_F(RewriteTest, AppendsStopAtWhatTheHistoryCanShow) {
    std::vector<EventRecord> many(EventTable::kCapacity - 1, on(1, 1));
    write(many);
    const EventFileRewrite r = appendToEventFile(file, bytesOf({on(2), on(3), on(4)}), false);
    ASSERT_TRUE(r.result);
    EXPECT_EQ(r.added, 1u);
    EXPECT_EQ(r.notTaken, 2u);
    EXPECT_EQ(r.after, static_cast<std::uint64_t>(EventTable::kCapacity));
}

TEST_F(RewriteTest, RefusedWhileAnotherProgramHoldsTheEventFile) {
    write({on(1, 1), on(2, 2)});
    FileLock collection;
    ASSERT_TRUE(collection.tryLock(lockFileFor(file), "Soubor událostí QTR0005.DAT"));
    for (const EventFileRewrite& r :
         {clearEventFile(file, kToday), trimEventFile(file, at(2026, 12, 9), kToday),
          replaceEventFile(file, {}, kToday), appendToEventFile(file, bytesOf({on(3)}), true)}) {
        EXPECT_FALSE(r.result);
        EXPECT_NE(r.result.error().find("Soubor událostí QTR0005.DAT právě používá jiný program ("),
                  std::string::npos)
            << r.result.error();
    }
    EXPECT_BYTES(bytesOf({on(1, 1), on(2, 2)}), test::readBytes(file));
    EXPECT_FALSE(std::filesystem::exists(dir / "UDALOSTI-2026-12-09.DAT"));
}

TEST_F(RewriteTest, ATornLastRecordIsKeptAsACopyAndLeftOut) {
    Bytes torn = bytesOf({on(1, 1), on(12, 2)});
    torn.insert(torn.end(), {9, 9, 9, 9, 9});
    test::writeBytes(file, torn);
    const EventFileRewrite r = trimEventFile(file, at(2026, 12, 9), kToday);
    ASSERT_TRUE(r.result) << r.result.error();
    EXPECT_EQ(r.note, "Soubor QTR0005.DAT končil neúplným záznamem (5 B), který byl vynechán; "
                      "původní soubor je uschován jako QTR0005.DAT.bak.");
    EXPECT_BYTES(torn, test::readBytes(dir / "QTR0005.DAT.bak"));
    EXPECT_BYTES(bytesOf({on(12, 2)}), test::readBytes(file));
}

// A collection from cron appends while the operator trims, again and again: every
// event ends either in the file or in an archive, exactly once.
TEST_F(RewriteTest, TrimsWhileAnotherProcessAppendsLoseNothing) {
    constexpr int kEvents = 400;
    const auto nth = [](int k) {
        return event(0x01, "01000000001001", at(2026, 12, 9, 6, 0, 0) + k / 86400.0, code(0, 0));
    };
    write({});
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // As collection does: the appender holds the lock while the file is open. A
        // collection that finds the file held tries again later.
        for (int k = 0; k < kEvents; ++k) {
            EventFileAppender appender;
            while (!appender.open(file)) {
                ::usleep(50);
            }
            if (!appender.append(nth(k)) || !appender.close()) {
                ::_exit(2);
            }
        }
        ::_exit(0);
    }
    int trims = 0;
    int refused = 0;
    int status = 0;
    for (int round = 0; ::waitpid(child, &status, WNOHANG) == 0; ++round) {
        const DateTime cut = nth(round % kEvents).timestamp;
        const EventFileRewrite r =
            round % 7 == 6 ? clearEventFile(file, kToday) : trimEventFile(file, cut, kToday);
        if (r.result) {
            ++trims;
        } else {
            ASSERT_NE(r.result.error().find("právě používá jiný program"), std::string::npos)
                << r.result.error();
            ++refused;
        }
        ::usleep(300);
    }
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_GT(trims, 5);

    std::vector<std::string> seen;
    const auto take = [&](const Bytes& bytes) {
        ASSERT_EQ(bytes.size() % EventRecord::kSize, 0u);
        for (std::size_t at = 0; at < bytes.size(); at += EventRecord::kSize) {
            seen.emplace_back(bytes.begin() + static_cast<long>(at),
                              bytes.begin() + static_cast<long>(at + EventRecord::kSize));
        }
    };
    take(test::readBytes(file));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().filename().string().starts_with("UDALOSTI-")) {
            take(test::readBytes(entry.path()));
        }
    }
    std::vector<std::string> appended;
    for (int k = 0; k < kEvents; ++k) {
        const Bytes b = bytesOf({nth(k)});
        appended.emplace_back(b.begin(), b.end());
    }
    std::sort(seen.begin(), seen.end());
    std::sort(appended.begin(), appended.end());
    EXPECT_EQ(seen.size(), appended.size()) << trims << " trims, " << refused << " refused";
    EXPECT_TRUE(seen == appended);
}

} // namespace
} // namespace qtr
