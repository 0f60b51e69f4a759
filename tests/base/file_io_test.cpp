#include "base/file_io.h"
#include "support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs `job` in a child process as an unprivileged user (when the tests run as root,
// file modes mean nothing to them); returns what the job returned, 100 + errno-ish
// codes for setup failures.
template <typename Job> int asUnprivilegedUser(Job job) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(100);
        }
        _exit(job());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

mode_t modeOf(const fs::path& file) {
    struct stat st {};
    EXPECT_EQ(lstat(file.c_str(), &st), 0) << file;
    return st.st_mode & 0777;
}

// A save keeps what an administrator set: the mode of the file it replaces; a file
// of the owner only stays so (and OwnerOnly takes the rights of others away).
TEST(AtomicWriter, KeepsTheModeOfTheFileItReplaces) {
    test::TempDir dir;
    const struct {
        mode_t before;
        FileAccess access;
        mode_t after;
    } cases[] = {
        {0600, FileAccess::Shared, 0600},    {0640, FileAccess::Shared, 0640},
        {0444, FileAccess::Shared, 0444},    {0664, FileAccess::OwnerOnly, 0600},
        {0400, FileAccess::OwnerOnly, 0400},
    };
    for (const auto& c : cases) {
        const auto file = dir / "QTR0002.DAT";
        test::writeBytes(file, bytesOf("old"));
        ASSERT_EQ(chmod(file.c_str(), c.before), 0);
        ASSERT_TRUE(writeFileAtomically(file, std::string_view("new"), c.access));
        EXPECT_EQ(modeOf(file), c.after) << std::oct << c.before;
        EXPECT_EQ(test::readText(file), "new");
        fs::remove(file);
    }
    // The owner too, where the process may set it (root may).
    const auto file = dir / "QTR0004.DAT";
    test::writeBytes(file, bytesOf("old"));
    if (geteuid() == 0) {
        ASSERT_EQ(chown(file.c_str(), 65534, 65534), 0);
        ASSERT_TRUE(writeFileAtomically(file, std::string_view("new")));
        struct stat st {};
        ASSERT_EQ(stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
}

// A data file that is a symbolic link stays one: the file it leads to is replaced, as
// long as that lies in the link's folder; a link out of the folder or a loop is refused.
TEST(AtomicWriter, ASymbolicLinkStaysALinkWithinItsFolder) {
    test::TempDir dir;
    fs::create_directory(dir / "archiv");
    test::TempDir elsewhere;
    test::writeBytes(dir / "archiv" / "units.dat", bytesOf("old"));
    test::writeBytes(elsewhere / "victim", bytesOf("keep"));
    fs::create_symlink("archiv/units.dat", dir / "QTR0001.DAT");
    fs::create_symlink(elsewhere / "victim", dir / "protokol.txt");
    fs::create_symlink("QTR0008.DAT", dir / "QTR0007.DAT");
    fs::create_symlink("QTR0007.DAT", dir / "QTR0008.DAT");
    fs::create_symlink("archiv/new.dat", dir / "QTR0004.DAT");

    ASSERT_TRUE(writeFileAtomically(dir / "QTR0001.DAT", std::string_view("new")));
    EXPECT_TRUE(fs::is_symlink(dir / "QTR0001.DAT"));
    EXPECT_EQ(test::readText(dir / "archiv" / "units.dat"), "new");
    ASSERT_TRUE(writeFileAtomically(dir / "QTR0004.DAT", std::string_view("created")));
    EXPECT_EQ(test::readText(dir / "archiv" / "new.dat"), "created");

    const FileResult out = writeFileAtomically(dir / "protokol.txt", std::string_view("x"));
    EXPECT_EQ(out.error(), "Soubor protokol.txt je symbolický odkaz mimo svou složku (na " +
                               (elsewhere / "victim").string() + "), program tam nezapisuje.");
    const FileResult append = appendAndSync(dir / "protokol.txt", bytesOf("x"));
    EXPECT_EQ(append.error(), out.error());
    EXPECT_EQ(test::readText(elsewhere / "victim"), "keep");

    const FileResult loop = writeFileAtomically(dir / "QTR0007.DAT", std::string_view("x"));
    EXPECT_EQ(loop.error(), "Soubor nelze zapsat: QTR0007.DAT: symbolické odkazy tvoří smyčku");
    std::vector<std::uint8_t> out2;
    EXPECT_EQ(readWholeFile(dir / "QTR0007.DAT", out2).error(),
              "Soubor nelze otevřít: QTR0007.DAT: symbolické odkazy tvoří smyčku");
    EXPECT_EQ(filesIn(dir.path()), 6u); // no temporary left anywhere
    EXPECT_EQ(filesIn(dir / "archiv"), 2u);
}

// What could not be read is not replaced: its contents would be lost unseen.
TEST(AtomicWriter, AFileThatCannotBeReadIsNotReplaced) {
    test::TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    const auto file = dir / "QTR0002.DAT";
    test::writeBytes(file, bytesOf("someone's register"));
    ASSERT_EQ(chmod(file.c_str(), 0), 0);
    const int rc = asUnprivilegedUser([&] {
        const FileResult r = writeFileAtomically(file, std::string_view("empty"));
        return !r && r.error() == "Soubor QTR0002.DAT nelze přečíst (přístup odepřen), proto ho "
                                  "program nepřepíše: jeho obsah by se ztratil."
                   ? 0
                   : 1;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(test::readText(file), "someone's register");
}

// A FIFO, a device or a folder in place of a file is refused at once, never read to
// no end or waited on; and no read takes more than its limit.
TEST(ReadWholeFile, RefusesWhatIsNotARegularFileAndReadsNoMoreThanTheLimit) {
    test::TempDir dir;
    ASSERT_EQ(mkfifo((dir / "QTR0001.DAT").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", dir / "QTR0002.DAT");
    fs::create_directory(dir / "QTR0003.DAT");
    const std::string outOfFolder = "Soubor QTR0002.DAT je symbolický odkaz mimo svou složku (na "
                                    "/dev/zero), program tam nezapisuje.";
    const struct {
        const char* name;
        const char* kind;
        std::string writeError; // empty: the same as reading
    } cases[] = {{"QTR0001.DAT", "roura (FIFO)", ""},
                 {"QTR0002.DAT", "zařízení", outOfFolder},
                 {"QTR0003.DAT", "složka", ""}};
    for (const auto& c : cases) {
        const std::string expected = std::string("Soubor ") + c.name +
                                     " není obyčejný soubor (je to " + c.kind +
                                     "), program ho nepoužije.";
        std::vector<std::uint8_t> out;
        EXPECT_EQ(readWholeFile(dir / c.name, out).error(), expected);
        fs::path kept;
        EXPECT_EQ(keepBackupCopy(dir / c.name, kept).error(), expected);
        const std::string writeError = c.writeError.empty() ? expected : c.writeError;
        EXPECT_EQ(writeFileAtomically(dir / c.name, std::string_view("x")).error(), writeError);
        int fd = -1;
        EXPECT_EQ(openForAppending(dir / c.name, fd).error(), writeError);
    }

    test::writeBytes(dir / "big", std::vector<std::uint8_t>(1000, 7));
    std::vector<std::uint8_t> out;
    std::uint64_t size = 0;
    ASSERT_TRUE(readFilePrefix(dir / "big", 26, out, size));
    EXPECT_EQ(out.size(), 26u);
    EXPECT_EQ(size, 1000u);
    EXPECT_EQ(readWholeFile(dir / "big", out, 999).error(),
              "Soubor big je příliš velký (1000 B, nejvýše 999 B), program ho nenačte.");
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(readWholeFile(dir / "big", out, 1000));
    EXPECT_EQ(out.size(), 1000u);
}

TEST(BackupCopy, TheCopyHasTheModeOfTheOriginal) {
    test::TempDir dir;
    const auto file = dir / "binfile.bin";
    test::writeBytes(file, std::vector<std::uint8_t>(300000, 0x5A));
    ASSERT_EQ(chmod(file.c_str(), 0600), 0);
    fs::path kept;
    ASSERT_TRUE(keepBackupCopy(file, kept));
    EXPECT_EQ(modeOf(kept), 0600u);
    EXPECT_EQ(test::readBytes(kept), test::readBytes(file));

    // Compared piece by piece: the same bytes reuse the copy, a change in the last piece
    // does not.
    ASSERT_TRUE(keepBackupCopy(file, kept));
    EXPECT_EQ(kept.filename(), "binfile.bin.bak");
    std::vector<std::uint8_t> changed(300000, 0x5A);
    changed.back() = 0x5B;
    test::writeBytes(file, changed);
    ASSERT_TRUE(keepBackupCopy(file, kept));
    EXPECT_EQ(kept.filename(), "binfile.bin.bak.1");
    EXPECT_EQ(test::readBytes(kept), changed);
}

// Temporary files of killed saves go when the folder is opened; those of a process
// that still runs (another program saving right now) and other names stay.
TEST(StaleTemporaryFiles, OnlyThoseOfProcessesThatAreGoneAreRemoved) {
    test::TempDir dir;
    const pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone);
    const std::string alive = std::to_string(getpid());
    const std::vector<std::string> names = {".QTR0002.DAT.tmp-" + dead + "-0",
                                            ".QTRSIM.TXT.tmp-" + dead + "-17",
                                            ".QTR0001.DAT.tmp-" + alive + "-3",
                                            "QTR0001.DAT.tmp-" + dead + "-0",
                                            ".QTR0001.DAT.tmp-" + dead + "-x",
                                            ".QTR0001.DAT.tmp-" + dead,
                                            "QTR0001.DAT"};
    for (const auto& n : names) {
        test::writeBytes(dir / n, bytesOf("x"));
    }
    fs::create_directory(dir / (".dir.tmp-" + dead + "-1"));

    EXPECT_EQ(removeStaleTemporaryFiles(dir.path(), "QTRSIM.TXT"),
              (std::vector<std::string>{".QTRSIM.TXT.tmp-" + dead + "-17"}));
    EXPECT_EQ(removeStaleTemporaryFiles(dir.path()),
              (std::vector<std::string>{".QTR0002.DAT.tmp-" + dead + "-0"}));
    EXPECT_EQ(filesIn(dir.path()), names.size() - 1);
    EXPECT_TRUE(removeStaleTemporaryFiles(dir / "none").empty());
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
