#include "base/file_io.h"
#include "support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace qtr {
namespace {
namespace fs = std::filesystem;

std::vector<std::uint8_t> bytesOf(std::string_view s) {
    return {s.begin(), s.end()};
}

std::size_t filesIn(const fs::path& dir) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(AtomicWriter, ReplacesTheWholeFileAndLeavesNoTemporary) {
    test::TempDir dir;
    const auto file = dir / "QTR0001.DAT";
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("first version, long")).ok());
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("second")).ok());
    EXPECT_EQ(test::readText(file), "second");
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

TEST(AtomicWriter, AFailedWriteLeavesTheOldFileIntact) {
    test::TempDir dir;
    const auto file = dir / "QTR0002.DAT";
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("old contents")).ok());

    // Limit the size a file may grow to, so that the write itself fails.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);
    const FileResult r = writeFileAtomically(file, std::string(1000, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().find("QTR0002.DAT"), std::string::npos) << r.error();
    EXPECT_NE(r.error().find("příliš velký"), std::string::npos) << r.error();
    EXPECT_EQ(test::readText(file), "old contents");
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

TEST(AtomicWriter, AMissingDirectoryIsAClearCzechError) {
    test::TempDir dir;
    const FileResult r = writeFileAtomically(dir / "nic" / "soubor.dat", std::string_view("x"));
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error(), "Soubor nelze zapsat: soubor.dat: soubor nebo složka neexistuje");
}

TEST(AtomicWriter, OwnerOnlyFilesAreReadableByTheOwnerOnly) {
    test::TempDir dir;
    const auto file = dir / "binfile.bin";
    ASSERT_TRUE(writeFileAtomically(file, std::string_view("secret"), FileAccess::OwnerOnly).ok());
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(ReadWholeFile, ReadsEverythingOrSaysWhy) {
    test::TempDir dir;
    std::vector<std::uint8_t> out;
    const std::string big(200000, 'q');
    test::writeBytes(dir / "big", bytesOf(big));
    ASSERT_TRUE(readWholeFile(dir / "big", out).ok());
    EXPECT_EQ(out.size(), big.size());

    const FileResult missing = readWholeFile(dir / "QTR0007.DAT", out);
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("QTR0007.DAT"), std::string::npos);

    const FileResult folder = readWholeFile(dir.path(), out);
    EXPECT_FALSE(folder.ok());
}

TEST(BackupCopy, KeepsTheOriginalBytesAndNeverOverwritesADifferentCopy) {
    test::TempDir dir;
    const auto file = dir / "QTR0004.DAT";
    test::writeBytes(file, bytesOf("one"));
    fs::path kept;
    ASSERT_TRUE(keepBackupCopy(file, kept).ok());
    EXPECT_EQ(kept.filename(), "QTR0004.DAT.bak");
    EXPECT_EQ(test::readText(kept), "one");

    // The same bytes again reuse the copy.
    ASSERT_TRUE(keepBackupCopy(file, kept).ok());
    EXPECT_EQ(kept.filename(), "QTR0004.DAT.bak");

    test::writeBytes(file, bytesOf("two"));
    ASSERT_TRUE(keepBackupCopy(file, kept).ok());
    EXPECT_EQ(kept.filename(), "QTR0004.DAT.bak.1");
    EXPECT_EQ(test::readText(dir / "QTR0004.DAT.bak"), "one");
    EXPECT_EQ(test::readText(kept), "two");
}

TEST(AppendAndSync, AppendsAtTheEnd) {
    test::TempDir dir;
    const auto file = dir / "QTR0005.DAT";
    ASSERT_TRUE(appendAndSync(file, bytesOf("ab")).ok());
    ASSERT_TRUE(appendAndSync(file, bytesOf("cd")).ok());
    EXPECT_EQ(test::readText(file), "abcd");
}

} // namespace
} // namespace qtr
