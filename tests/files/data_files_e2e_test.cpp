// qtr-cli and qtr-sim as separate processes on data directories that hold what
// an operator's machine may hold: unreadable files, FIFOs, links to devices and
// loops, time stamps of any value, a file where a link should go.

#include "events/event_record.h"
#include "support/process_run.h"
#include "support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qtr {
namespace {

namespace fs = std::filesystem;
using test::ProcessOptions;
using test::ProcessOutcome;
using test::runProcess;

ProcessOutcome cli(const test::TempDir& dir, std::vector<std::string> args,
                   ProcessOptions options = {}) {
    args.insert(args.begin(), {QTR_CLI, "--dir", dir.path().string()});
    options.timeout = std::chrono::milliseconds(20000); // nothing may block for long
    return runProcess(args, options);
}

std::vector<std::uint8_t> bytesOf(std::string_view s) {
    return {s.begin(), s.end()};
}

mode_t modeOf(const fs::path& file) {
    struct stat st {};
    EXPECT_EQ(lstat(file.c_str(), &st), 0);
    return st.st_mode & 0777;
}

// A table file nobody may read (run as another user) is reported, not emptied: not
// at init, not at the save at the end, and no empty copy takes its place.
TEST(DataFiles, AnUnreadableTableFileIsNeverEmptied) {
    test::TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    const auto holders = std::vector<std::uint8_t>(154 * 2, 0x41);
    test::writeBytes(dir / "QTR0002.DAT", holders);
    ASSERT_EQ(chmod((dir / "QTR0002.DAT").c_str(), 0), 0);
    ProcessOptions asOther;
    if (geteuid() == 0) {
        asOther.user = test::kNobody; // file modes mean nothing to root
    }
    const auto r = cli(dir, {"init"}, asOther);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Soubor nelze otevřít: QTR0002.DAT: přístup odepřen Program ho nepřepíše, "
                     "dokud ho nepůjde přečíst.\n"
                     "Tabulka se do souboru QTR0002.DAT neuloží: soubor se nepodařilo načíst ani "
                     "zazálohovat (Soubor nelze otevřít: QTR0002.DAT: přístup odepřen) a jeho "
                     "obsah by se ztratil.\n");
    ASSERT_EQ(chmod((dir / "QTR0002.DAT").c_str(), 0644), 0);
    EXPECT_EQ(test::readBytes(dir / "QTR0002.DAT"), holders);
    EXPECT_FALSE(fs::exists(dir / "QTR0002.DAT.bak"));
}

// A FIFO or a link to a device in place of a data file is refused at once, never
// waited on or read until memory runs out, and stays what it was.
TEST(DataFiles, FifosAndDevicesAreRefusedWithoutBlocking) {
    test::TempDir dir;
    ASSERT_EQ(mkfifo((dir / "QTR0001.DAT").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", dir / "QTR0002.DAT");
    ASSERT_EQ(mkfifo((dir / "QTR0005.DAT").c_str(), 0644), 0);
    ASSERT_EQ(mkfifo((dir / "protokol.txt").c_str(), 0644), 0);

    const auto init = cli(dir, {"init"});
    EXPECT_FALSE(init.timedOut);
    EXPECT_EQ(init.status, 1);
    for (const char* text :
         {"Soubor QTR0001.DAT není obyčejný soubor (je to roura (FIFO)), program ho nepoužije.",
          "Soubor QTR0002.DAT není obyčejný soubor (je to zařízení), program ho nepoužije."}) {
        EXPECT_NE(init.err.find(text), std::string::npos) << init.err;
    }
    const auto events = cli(dir, {"events", "list"});
    EXPECT_FALSE(events.timedOut);
    EXPECT_EQ(events.status, 1);
    EXPECT_NE(events.err.find("Soubor QTR0005.DAT není obyčejný soubor (je to roura (FIFO))"),
              std::string::npos)
        << events.err;
    const auto log = cli(dir, {"log"});
    EXPECT_FALSE(log.timedOut);
    EXPECT_EQ(log.status, 1);
    EXPECT_TRUE(fs::is_fifo(dir / "QTR0001.DAT"));
    EXPECT_TRUE(fs::is_symlink(dir / "QTR0002.DAT"));
}

// Time stamps of any value (a unit file merged as events, NaN, infinities, 1e18) list
// as question marks, sorted or not; nothing hangs.
TEST(DataFiles, EventsWithAnyTimeStampListWithoutHanging) {
    test::TempDir dir;
    std::vector<std::uint8_t> file;
    for (double t : {std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity(), -1e18, 1e18, 46083.5}) {
        EventRecord e;
        e.unitAddress = 1;
        e.timestamp = t;
        std::vector<std::uint8_t> b(EventRecord::kSize);
        e.toBytes(b);
        file.insert(file.end(), b.begin(), b.end());
    }
    file.resize(file.size() + 689 * 2, 0xFF); // and two unit records read as events
    test::writeBytes(dir / "QTR0005.DAT", file);
    for (const char* sort : {"0", "3"}) {
        const auto r = cli(dir, {"events", "list", "--sort", sort});
        ASSERT_FALSE(r.timedOut);
        EXPECT_EQ(r.status, 0) << r.err;
        std::size_t unknown = 0;
        for (std::size_t p = 0; (p = r.out.find("\n??.??.???? ??:??:?? ", p)) != std::string::npos;
             ++p) {
            ++unknown;
        }
        EXPECT_EQ(unknown, 72u + 4u) << r.out.substr(0, 400);
        EXPECT_NE(r.out.find("\n02.03.2026 12:00:00 #adresa jednotky: "), std::string::npos);
    }
}

// A unit clock that shows no date (a saved clock far out) is shown as such; a clock
// that is not a number at all (hodiny nan) is refused, naming the line.
TEST(DataFiles, SimulatedUnitClocksOfAnyValue) {
    test::TempDir dir;
    const std::string unit = "jednotka 01 model 01 rezim 51 pamet 03 stav 02 alarm FF rele 00 "
                             "vstupy 00 preteceni 0 zpozdeni 10 hodiny ";
    test::writeBytes(dir / "QTRSIM.TXT", bytesOf(unit + "3000000\nnazev A\n"));
    const auto far = cli(dir, {"sim", "stav", "01"});
    ASSERT_FALSE(far.timedOut);
    EXPECT_EQ(far.status, 0) << far.err;
    EXPECT_NE(far.out.find("Čas jednotky: ??.??.???? ??:??:?? ?\n"), std::string::npos) << far.out;

    test::writeBytes(dir / "QTRSIM.TXT", bytesOf("# x\n" + unit + "nan\n"));
    const auto broken = cli(dir, {"--sim", "status", "01"});
    ASSERT_FALSE(broken.timedOut);
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err, "QTRSIM.TXT, řádek 2: nesrozumitelný záznam\n");
    EXPECT_EQ(test::readText(dir / "QTRSIM.TXT"), "# x\n" + unit + "nan\n");
}

// A loop of symbolic links ends in a Czech message and status 1, never an abort.
TEST(DataFiles, ALoopOfLinksIsReportedNotAborted) {
    test::TempDir dir;
    fs::create_symlink("QTR0001.DAT", dir / "QTR0002.DAT");
    fs::create_symlink("QTR0002.DAT", dir / "QTR0001.DAT");
    fs::create_symlink("QTRSIM.TXT", dir / "QTRSIM.TXT");
    const auto cliRun = cli(dir, {"--sim", "status", "01"});
    EXPECT_EQ(cliRun.signal, 0);
    EXPECT_EQ(cliRun.status, 1);
    EXPECT_EQ(cliRun.err, "Soubor nelze otevřít: QTRSIM.TXT: symbolické odkazy tvoří smyčku\n");

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{QTR_SIM, "--dir", dir.path().string()},
          std::vector<std::string>{QTR_SIM, "--state", (dir / "QTRSIM.TXT").string()}}) {
        const auto sim = runProcess(args);
        EXPECT_EQ(sim.signal, 0) << args[1];
        EXPECT_EQ(sim.status, 1) << args[1];
        EXPECT_NE(sim.err.find("symbolické odkazy tvoří smyčku"), std::string::npos) << sim.err;
    }
}

// qtr-sim --link replaces only its own leftover link to a pseudo-terminal.
TEST(DataFiles, QtrSimLinkNeverDeletesAFile) {
    test::TempDir dir;
    const auto file = dir / "qtr-com2";
    test::writeBytes(file, bytesOf("notes"));
    const auto refused = runProcess({QTR_SIM, "--link", file.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "qtr-sim: " + file.string() +
                  " už existuje a není to odkaz, který udělal qtr-sim; nepřepíše se\n");
    EXPECT_EQ(test::readText(file), "notes");

    const auto link = dir / "qtr-com3";
    fs::create_symlink("/dev/pts/9999", link);
    ProcessOptions briefly;
    briefly.killAfter = std::chrono::milliseconds(1500);
    const auto served = runProcess({QTR_SIM, "--link", link.string()}, briefly);
    EXPECT_EQ(served.signal, SIGKILL) << served.err;
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_NE(fs::read_symlink(link), "/dev/pts/9999");
    EXPECT_NE(served.out.find("Sběrnice: " + fs::read_symlink(link).string()), std::string::npos);
}

// What an administrator set stays: the mode of a data file, a link to a file in the
// data folder; temporary files of a killed save go at the next start.
TEST(DataFiles, ModesLinksAndStaleTemporariesAcrossRuns) {
    test::TempDir dir;
    test::writeBytes(dir / "QTR0002.DAT", {});
    ASSERT_EQ(chmod((dir / "QTR0002.DAT").c_str(), 0600), 0);
    fs::create_directory(dir / "data");
    test::writeBytes(dir / "data" / "units", {});
    fs::create_symlink("data/units", dir / "QTR0001.DAT");
    const pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    waitpid(gone, nullptr, 0);
    const std::string stale = ".QTR0004.DAT.tmp-" + std::to_string(gone) + "-0";
    test::writeBytes(dir / stale, bytesOf("half"));

    const auto r = cli(dir, {"init"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Odstraněny dočasné soubory přerušeného ukládání: " + stale + "\n");
    EXPECT_FALSE(fs::exists(dir / stale));
    EXPECT_EQ(modeOf(dir / "QTR0002.DAT"), 0600u);
    EXPECT_TRUE(fs::is_symlink(dir / "QTR0001.DAT"));
}

// A QTR0000.DAT with bad fields: reported, kept, and rewritten at the end with the
// defaults for the bad fields only.
TEST(DataFiles, BadCommunicationParametersAreKeptAndMended) {
    test::TempDir dir;
    const std::vector<std::uint8_t> bad = {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 99, 0, 0, 0};
    test::writeBytes(dir / "QTR0000.DAT", bad);
    const auto r = cli(dir, {"--com2", (dir / "none").string(), "status", "01"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("Číslo portu -1 je mimo rozsah, platí výchozí COM2. Rychlost 99 "
                                  "je mimo rozsah, platí výchozí 9600 Bd. Původní soubor je "
                                  "uschován jako QTR0000.DAT.bak.\n"))
        << r.err;
    EXPECT_EQ(test::readBytes(dir / "QTR0000.DAT.bak"), bad);
    EXPECT_EQ(test::readBytes(dir / "QTR0000.DAT"),
              (std::vector<std::uint8_t>{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
}

} // namespace
} // namespace qtr
