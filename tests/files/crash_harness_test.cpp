// The crash harness: every save of the program runs as its own process and is
// killed with SIGKILL at each of its steps in turn (after each write and fsync,
// before and after each rename; QTR_CRASH_TEST_STEP), then at random moments.
// After each kill every file must be its old or its new version, never torn or
// missing, and the next start (any qtr-cli command) must leave no temporary file.

#include "app/account_file.h"
#include "base/clock.h"
#include "db/installation_keys.h"
#include "events/event_record.h"
#include "sim/bus_state.h"
#include "support/process_run.h"
#include "support/temp_dir.h"

#include <cctype>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace qtr {
namespace {

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, std::vector<std::uint8_t>>;

bool isTemporary(const std::string& name) {
    return name.starts_with(".") && name.find(".tmp-") != std::string::npos;
}

Snapshot snapshot(const fs::path& dir) {
    Snapshot s;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        if (!isTemporary(name) && e.is_regular_file()) {
            s[name] = test::readBytes(e.path());
        }
    }
    return s;
}

std::vector<std::string> temporaries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (isTemporary(e.path().filename().string())) {
            names.push_back(e.path().filename().string());
        }
    }
    return names;
}

std::vector<std::uint8_t> bytesOf(std::string_view s) {
    return {s.begin(), s.end()};
}

// One save: how to prepare the old state, the program run that saves, and what
// counts as the old and the new version of the files it touches.
struct Save {
    std::string name;
    std::function<void(const fs::path&)> prepare;
    std::vector<std::string> command; // "{dir}" stands for the data directory
    // Checks the files after a kill (and again after the next start); `finished`
    // is the state of a run that was not killed. By default every file must equal
    // its old or its new bytes.
    std::function<void(const fs::path&, const Snapshot& old, const Snapshot& finished)> check;
    // The next start; empty: any qtr-cli command (it opens the data directory).
    std::vector<std::string> reopen = {};
    int exitCode = 0; // of a run that is not killed (a damaged file is reported)
};

// A version of a file a save writes on its way (init creates a missing zone file
// empty before it saves it with the main zone); as good as the old and the new one.
const Snapshot kInitSteps = {{"QTR0003.DAT", {}}};

std::vector<std::string> commandFor(const Save& s, const fs::path& dir) {
    std::vector<std::string> argv;
    for (const auto& a : s.command) {
        std::string arg = a;
        if (const auto at = arg.find("{dir}"); at != std::string::npos) {
            arg.replace(at, 5, dir.string());
        }
        argv.push_back(arg);
    }
    return argv;
}

void oldOrNewBytes(const fs::path& dir, const Snapshot& old, const Snapshot& finished,
                   const Snapshot& between) {
    const Snapshot now = snapshot(dir);
    for (const auto& [name, bytes] : now) {
        const auto is = [&](const Snapshot& s) {
            const auto it = s.find(name);
            return it != s.end() && it->second == bytes;
        };
        EXPECT_TRUE(is(old) || is(finished) || is(between))
            << name << " is neither the old nor the new version (" << bytes.size() << " B)";
    }
    for (const auto& [name, bytes] : old) {
        if (finished.contains(name)) {
            EXPECT_TRUE(now.contains(name)) << name << " is missing";
        }
    }
}

// The accounts open with the key the keys file names, and that key is the old or the new one.
void keysAndAccountsAgree(const fs::path& dir, const Snapshot& old, const Snapshot& finished) {
    if (fs::exists(dir / "QTRKEYS.TXT.new") || fs::exists(dir / "binfile.bin.new")) {
        return; // a change under way: the next start settles it, checked then
    }
    InstallationKeys keys;
    ASSERT_TRUE(loadInstallationKeys(dir, keys));
    const auto keyText = [](const Snapshot& s) {
        InstallationKeys k;
        std::string error;
        const auto& b = s.at(kInstallationKeysFile);
        EXPECT_TRUE(parseInstallationKeysText(std::string(b.begin(), b.end()), k, error));
        return k.masterKey;
    };
    EXPECT_TRUE(keys.masterKey == keyText(old) || keys.masterKey == keyText(finished));
    if (!fs::exists(dir / kAccountFile)) {
        return; // a fresh start: set aside with its copy
    }
    SeededRandomSource random(1);
    UserAccounts accounts;
    ASSERT_TRUE(loadAccountFile(dir / kAccountFile, scramblingKeyOf(keys.masterOrZero()), random,
                                accounts));
    EXPECT_EQ(accounts.find("správce", "dlouhé heslo"), 1)
        << "binfile.bin does not open with the key of QTRKEYS.TXT";
}

void prepareKeysAndAccounts(const fs::path& dir) {
    InstallationKeys keys;
    keys.masterKey = KeyNumber::parse("0102030405060A");
    ASSERT_TRUE(saveInstallationKeys(dir, keys));
    SeededRandomSource random(3);
    UserAccounts a = emptyAccounts(random);
    a.count = 1;
    a.accountSlots[0].userName.setText("správce");
    a.accountSlots[0].password.setText("dlouhé heslo");
    ASSERT_TRUE(saveAccountFile(dir / kAccountFile, a, scramblingKeyOf(*keys.masterKey), random));
}

void prepareTables(const fs::path& dir) {
    for (const char* name : {"QTR0001.DAT", "QTR0002.DAT", "QTR0003.DAT", "QTR0004.DAT",
                             "QTR0006.DAT", "QTR0007.DAT", "QTR0008.DAT"}) {
        test::writeBytes(dir / name, {});
    }
}

std::vector<std::uint8_t> eventBytes(int count, std::uint8_t unit) {
    std::vector<std::uint8_t> out;
    for (int i = 0; i < count; ++i) {
        EventRecord e;
        e.unitAddress = unit;
        e.timestamp = 46000 + i;
        std::vector<std::uint8_t> b(EventRecord::kSize);
        e.toBytes(b);
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

// The exchange file of two holders, as `keys export` writes it.
std::vector<std::uint8_t> importFile() {
    std::string text;
    for (const char* key : {"0100000012345A", "0200000023456B"}) {
        std::string line = std::string(key) + "Osoba";
        line.resize(130, ' ');
        text += line + "#\r\n";
    }
    return bytesOf(text);
}

// The old records, then some of the new ones whole; a record cut off by the kill is
// gone once the event file is opened for appending again, and kept in QTR0005.DAT.bak.
void eventsAppended(const fs::path& dir, const Snapshot& old, const Snapshot& finished) {
    const auto now = test::readBytes(dir / "QTR0005.DAT");
    const auto& before = old.at("QTR0005.DAT");
    const auto& after = finished.at("QTR0005.DAT");
    ASSERT_GE(now.size(), before.size());
    ASSERT_LE(now.size(), after.size());
    EXPECT_TRUE(std::equal(now.begin(), now.end(), after.begin()));
    if (now.size() % EventRecord::kSize != 0) {
        return; // torn by the kill: repaired by the next open, checked then
    }
    if (fs::exists(dir / "QTR0005.DAT.bak")) {
        EXPECT_NE(test::readBytes(dir / "QTR0005.DAT.bak").size() % EventRecord::kSize, 0u);
    }
}

// The old lines stay; each new line is whole, or it is the one a kill cut off and
// stands alone.
void logAppended(const fs::path& dir, const Snapshot& old, const Snapshot&) {
    const std::string text = test::readText(dir / "protokol.txt");
    const auto& before = old.at("protokol.txt");
    ASSERT_TRUE(text.starts_with(std::string(before.begin(), before.end())));
    const std::string line = "dd.mm.yyyy hh:nn:ss START PROGRAMU";
    std::size_t pos = before.size();
    int partial = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        std::string l = text.substr(pos, end == std::string::npos ? end : end - pos);
        if (end == std::string::npos && l.ends_with('\r')) {
            l.pop_back(); // cut between CR and LF (the next append adds the LF)
        }
        const bool whole = l.size() == line.size() && l.ends_with(" START PROGRAMU");
        const bool cut = l.size() <= line.size(); // a CR may end it
        EXPECT_TRUE(whole || cut) << "line: " << l;
        partial += whole ? 0 : 1;
        pos = end == std::string::npos ? text.size() : end + 2;
    }
    EXPECT_LE(partial, 1);
}

void oldOrNew(const fs::path& dir, const Snapshot& old, const Snapshot& finished) {
    oldOrNewBytes(dir, old, finished, {});
}

void oldNewOrInitStep(const fs::path& dir, const Snapshot& old, const Snapshot& finished) {
    oldOrNewBytes(dir, old, finished, kInitSteps);
}

std::vector<Save> everySave() {
    const std::string cli = QTR_CLI;
    const std::string saver = QTR_CRASH_SAVER;
    std::vector<Save> saves = {
        {"init (QTR0001..QTR0004 created and saved)",
         [](const fs::path&) {},
         {cli, "--dir", "{dir}", "init"},
         oldNewOrInitStep},
        {"init over a damaged QTR0004.DAT (kept as .bak first)",
         [](const fs::path& dir) {
             test::writeBytes(dir / "QTR0004.DAT", {1, 2, 3});
         },
         {cli, "--dir", "{dir}", "init"},
         oldNewOrInitStep,
         {},
         1},
        {"keys import --replace (QTR0002.DAT)",
         [](const fs::path& dir) {
             prepareTables(dir);
             test::writeBytes(dir / "klice.sdf", importFile());
         },
         {cli, "--dir", "{dir}", "keys", "import", "{dir}/klice.sdf", "--replace"},
         oldOrNew},
        {"keys export (klice.sdf)",
         [](const fs::path& dir) {
             test::writeBytes(dir / "QTR0002.DAT", std::vector<std::uint8_t>(154 * 3, 0x41));
         },
         {cli, "--dir", "{dir}", "keys", "export", "{dir}/export.sdf"},
         oldOrNew},
        {"master-key (QTRKEYS.TXT with binfile.bin)",
         prepareKeysAndAccounts,
         {cli, "--dir", "{dir}", "master-key", "01FFEEDDCCBBAA"},
         keysAndAccountsAgree},
        {"master-key --reset-accounts",
         prepareKeysAndAccounts,
         {cli, "--dir", "{dir}", "master-key", "01FFEEDDCCBBAA", "--reset-accounts"},
         keysAndAccountsAgree},
        {"log --clear (protokol.txt)",
         [](const fs::path& dir) {
             test::writeBytes(dir / "protokol.txt", bytesOf("15.03.2024 08:00:00 *\r\n"));
         },
         {cli, "--dir", "{dir}", "log", "--clear"},
         [](const fs::path& dir, const Snapshot& old, const Snapshot&) {
             const std::string text = test::readText(dir / "protokol.txt");
             EXPECT_TRUE(bytesOf(text) == old.at("protokol.txt") ||
                         (text.size() == 23 && text.ends_with(" #\r\n")))
                 << text;
         }},
        {"events list --out (a report)",
         [](const fs::path& dir) {
             test::writeBytes(dir / "QTR0005.DAT", eventBytes(200, 1));
             test::writeBytes(dir / "vypis.txt", bytesOf("older report\r\n"));
         },
         {cli, "--dir", "{dir}", "--out", "{dir}/vypis.txt", "events", "list"},
         oldOrNew},
        {"sim klic (QTRSIM.TXT)",
         [](const fs::path& dir) {
             test::writeBytes(dir / "QTRSIM.TXT", bytesOf("# prázdná sběrnice\n"));
         },
         {cli, "--dir", "{dir}", "sim", "klic", "00", "0", "0100000012345A"},
         [](const fs::path& dir, const Snapshot& old, const Snapshot&) {
             const auto bytes = test::readBytes(dir / "QTRSIM.TXT");
             if (bytes == old.at("QTRSIM.TXT")) {
                 return;
             }
             const ManualClock clock;
             sim::SimBus bus(clock);
             std::string error;
             EXPECT_TRUE(sim::restoreBusState(std::string(bytes.begin(), bytes.end()), bus, error))
                 << error;
             EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("klic 0100000012345A"),
                       std::string::npos);
         }},
        {"holidays standard (QTR0006.DAT)",
         [](const fs::path& dir) {
             test::writeBytes(dir / "QTR0006.DAT", {});
             test::writeBytes(dir / "SVATKY.INI", bytesOf("01.01.Nový rok\r\n01.05.Svátek práce\r\n"
                                                          "28.10.Vznik státu\r\n"));
         },
         {cli, "--dir", "{dir}", "holidays", "standard", "2026"},
         oldOrNew},
        {"QTR0000.DAT",
         [](const fs::path& dir) {
             test::writeBytes(dir / "QTR0000.DAT", {0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0});
         },
         {saver, "comm", "{dir}"},
         oldOrNew},
        {"QTR0006.DAT, QTR0007.DAT, QTR0008.DAT",
         prepareTables,
         {saver, "tables", "{dir}"},
         oldOrNew},
        {"QTR0001..QTR0004 at program end", prepareTables, {saver, "config", "{dir}"}, oldOrNew},
        {"binfile.bin (accounts window)",
         prepareKeysAndAccounts,
         {saver, "accounts", "{dir}"},
         oldOrNew},
        {"QTR_WORK.RTF",
         [](const fs::path& dir) { test::writeBytes(dir / "QTR_WORK.RTF", {65}); },
         {saver, "work", "{dir}"},
         oldOrNew},
        {"QTR0005.DAT rewritten whole",
         [](const fs::path& dir) { test::writeBytes(dir / "QTR0005.DAT", eventBytes(50, 9)); },
         {saver, "events-rewrite", "{dir}"},
         oldOrNew},
        {"attendance files at program end and KARTY.DAT",
         [](const fs::path& dir) {
             for (const char* name : {"DRUHPRAC.DAT", "DEFRADVY.DAT", "KARTA.DAT", "KARTY.DAT"}) {
                 test::writeBytes(dir / name, {});
             }
         },
         {saver, "attendance", "{dir}"},
         oldOrNew},
        {"ZMRTSW.DAT",
         [](const fs::path& dir) { test::writeBytes(dir / "ZMRTSW.DAT", {1}); },
         {saver, "rights", "{dir}"},
         oldOrNew},
        {"QTR0005.DAT appended by collection",
         [](const fs::path& dir) { test::writeBytes(dir / "QTR0005.DAT", eventBytes(2, 9)); },
         {saver, "events", "{dir}", "3"},
         eventsAppended,
         {saver, "events", "{dir}", "0"}},
        {"protokol.txt appended",
         [](const fs::path& dir) {
             test::writeBytes(dir / "protokol.txt", bytesOf("15.03.2024 08:00:00 *\r\n"));
         },
         {saver, "log", "{dir}"},
         logAppended,
         {saver, "log", "{dir}"}},
    };
    return saves;
}

const std::vector<Save>& saves() {
    static const std::vector<Save> all = everySave();
    return all;
}

// The old state and the state of a run that was not killed.
void oldAndFinished(const Save& save, Snapshot& old, Snapshot& finished) {
    test::TempDir before;
    save.prepare(before.path());
    old = snapshot(before.path());
    test::TempDir after;
    save.prepare(after.path());
    const auto done = test::runProcess(commandFor(save, after.path()));
    ASSERT_EQ(done.status, save.exitCode) << done.err;
    finished = snapshot(after.path());
    ASSERT_NE(old, finished) << "the save changes nothing";
}

// After a kill: the files, then the next start, then the files again.
void checkAfterKill(const Save& save, const fs::path& dir, const Snapshot& old,
                    const Snapshot& finished) {
    save.check(dir, old, finished);
    Save next = save;
    next.command = save.reopen.empty()
                       ? std::vector<std::string>{QTR_CLI, "--dir", "{dir}", "events", "count"}
                       : save.reopen;
    const auto reopened = test::runProcess(commandFor(next, dir));
    EXPECT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_EQ(temporaries(dir), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(dir / "QTRKEYS.TXT.new") || fs::exists(dir / "binfile.bin.new"));
    save.check(dir, old, finished);
}

class CrashHarness : public ::testing::TestWithParam<std::size_t> {};

// Killed at step 1, 2, 3 ... until the save runs through.
TEST_P(CrashHarness, KilledAtEachStep) {
    const Save& save = saves()[GetParam()];
    Snapshot old;
    Snapshot finished;
    ASSERT_NO_FATAL_FAILURE(oldAndFinished(save, old, finished));
    int killed = 0;
    for (int step = 1; step < 400; ++step) {
        test::TempDir dir;
        save.prepare(dir.path());
        test::ProcessOptions options;
        options.environment = {{"QTR_CRASH_TEST_STEP", std::to_string(step)}};
        const auto r = test::runProcess(commandFor(save, dir.path()), options);
        if (r.signal == 0) {
            ASSERT_EQ(r.status, save.exitCode) << "step " << step << ": " << r.err;
            save.check(dir.path(), old, finished);
            EXPECT_EQ(snapshot(dir.path()).size(), finished.size());
            break;
        }
        ++killed;
        ASSERT_EQ(r.signal, SIGKILL) << r.err;
        SCOPED_TRACE(r.err); // names the step
        checkAfterKill(save, dir.path(), old, finished);
    }
    EXPECT_GE(killed, 4) << "too few steps to kill at";
    RecordProperty("kills", killed);
}

// Killed at random moments of a real run, with no help from the program.
TEST_P(CrashHarness, KilledAtRandomMoments) {
    const Save& save = saves()[GetParam()];
    Snapshot old;
    Snapshot finished;
    ASSERT_NO_FATAL_FAILURE(oldAndFinished(save, old, finished));
    test::TempDir timed;
    save.prepare(timed.path());
    const auto start = std::chrono::steady_clock::now();
    (void)test::runProcess(commandFor(save, timed.path()));
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    std::mt19937 random(static_cast<unsigned>(GetParam()) + 11);
    for (int run = 0; run < 12; ++run) {
        test::TempDir dir;
        save.prepare(dir.path());
        test::ProcessOptions options;
        options.killAfter = std::chrono::microseconds(
            std::uniform_int_distribution<long>(0, took.count() * 12 / 10)(random));
        const auto r = test::runProcess(commandFor(save, dir.path()), options);
        if (r.signal == 0) {
            continue; // done before the kill came
        }
        checkAfterKill(save, dir.path(), old, finished);
    }
}

std::string saveName(const ::testing::TestParamInfo<std::size_t>& info) {
    std::string name;
    for (char c : saves()[info.param].name) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return std::to_string(info.param) + "_" + name;
}

INSTANTIATE_TEST_SUITE_P(EverySave, CrashHarness, ::testing::Range<std::size_t>(0, saves().size()),
                         saveName);

} // namespace
} // namespace qtr
