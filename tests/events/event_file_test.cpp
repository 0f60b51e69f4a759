#include "events/event_file.h"
#include "events/event_fixtures.h"
#include "support/hex_dump.h"
#include "support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <vector>

namespace qtr {
namespace {

using test::bytesOf;
using test::fromHex;
using test::readBytes;
using test::writeBytes;

const EventRecord kFirst = test::event(0x01, "0102030405060A", test::at(2024, 3, 15, 7, 30), 0x00);
const EventRecord kSecond = test::event(0x02, "00000000000000", test::at(2024, 3, 15, 8), 0x38);

TEST(EventFile, CountsWholeRecordsAndZeroWhenMissing) {
    test::TempDir dir;
    EXPECT_EQ(countStoredEvents(dir / kEventFile), 0u);
    writeBytes(dir / kEventFile, std::vector<std::uint8_t>(38));
    EXPECT_EQ(countStoredEvents(dir / kEventFile), 2u);
    writeBytes(dir / kEventFile, std::vector<std::uint8_t>(56));
    EXPECT_EQ(countStoredEvents(dir / kEventFile), 2u);
    EXPECT_EQ(countStoredEvents(dir.path()), 0u); // a directory is no event file
}

TEST(EventFileAppender, CreatesTheFileAndAppendsRecordsInOrder) {
    test::TempDir dir;
    EventFileAppender file;
    ASSERT_TRUE(file.open(dir / kEventFile));
    EXPECT_TRUE(std::filesystem::exists(dir / kEventFile));
    EXPECT_EQ(file.recordCount(), 0u);
    ASSERT_TRUE(file.append(kFirst));
    ASSERT_TRUE(file.append(kSecond));
    EXPECT_EQ(file.recordCount(), 2u);
    // Each append is in the file as soon as it returns, not only after close.
    EXPECT_BYTES(bytesOf({kFirst, kSecond}), readBytes(dir / kEventFile));
    ASSERT_TRUE(file.close());
    EXPECT_TRUE(file.repairNote().empty());

    ASSERT_TRUE(file.open(dir / kEventFile)); // an existing file is appended to
    ASSERT_TRUE(file.append(kFirst));
    EXPECT_EQ(file.recordCount(), 3u);
    EXPECT_BYTES(bytesOf({kFirst, kSecond, kFirst}), readBytes(dir / kEventFile));
}

TEST(EventFileAppender, AppendItemStoresTheRecordOfThatItem) {
    test::TempDir dir;
    EventFileAppender file;
    ASSERT_TRUE(file.open(dir / kEventFile));
    const auto answer = fromHex("0A 12 8E 00"
                                "01 0A 06 05 04 03 02 DD 3B 6F 30 93 7E 7F"
                                "11 22 33 44 55 66 77 DD 3B 6F 30 0B 00 00");
    EventRecord stored;
    ASSERT_TRUE(file.appendItem(answer, 2, &stored));
    EXPECT_EQ(stored.keyNumber.bytes,
              (std::array<std::uint8_t, 7>{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}));
    EXPECT_BYTES(fromHex("0A 11 22 33 44 55 66 77 74 CF 7F 05 CA 26 E6 40 0B 00 00"),
                 readBytes(dir / kEventFile));
}

TEST(EventFileAppender, CutsATornLastRecordOffAndKeepsACopy) {
    test::TempDir dir;
    auto torn = bytesOf({kFirst, kSecond});
    torn.insert(torn.end(), {0x03, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06});
    writeBytes(dir / kEventFile, torn);

    EventFileAppender file;
    ASSERT_TRUE(file.open(dir / kEventFile));
    EXPECT_EQ(file.cutOffBytes(), 7u);
    EXPECT_EQ(file.recordCount(), 2u);
    EXPECT_EQ(file.repairNote(), "Soubor QTR0005.DAT končil neúplným záznamem (7 B), který byl "
                                 "odříznut. Původní soubor je uschován jako QTR0005.DAT.bak.");
    EXPECT_BYTES(torn, readBytes(dir / "QTR0005.DAT.bak"));
    // The next record starts on a record boundary.
    ASSERT_TRUE(file.append(kFirst));
    EXPECT_BYTES(bytesOf({kFirst, kSecond, kFirst}), readBytes(dir / kEventFile));
}

TEST(EventFileAppender, FailuresAreReported) {
    EventFileAppender notOpen;
    const FileResult r = notOpen.append(kFirst);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.error(), "Soubor událostí není otevřen.");

    test::TempDir dir;
    EventFileAppender file;
    const FileResult missingDir = file.open(dir / "chybí" / kEventFile);
    EXPECT_FALSE(missingDir);
    EXPECT_EQ(missingDir.error(),
              "Soubor událostí nelze otevřít: QTR0005.DAT: soubor nebo složka neexistuje");
    EXPECT_FALSE(file.isOpen());

    // Not a regular file: refused, never written into.
    const FileResult device = file.open("/dev/full");
    EXPECT_EQ(device.error(),
              "Soubor full není obyčejný soubor (je to zařízení), program ho nepoužije.");

    // A file that may not grow (a full disk): the append fails with the reason instead
    // of passing as stored, and the part of the record written is cut off again.
    const auto events = dir / kEventFile;
    ASSERT_TRUE(file.open(events));
    ASSERT_TRUE(file.append(kFirst));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = EventRecord::kSize + 7;
    setrlimit(RLIMIT_FSIZE, &small);
    const FileResult full = file.append(kFirst);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(full.error(),
              "Chyba při zápisu události do souboru QTR0005.DAT: soubor je příliš velký");
    EXPECT_EQ(file.recordCount(), 1u);
    EXPECT_EQ(std::filesystem::file_size(events), EventRecord::kSize);
}

} // namespace
} // namespace qtr
