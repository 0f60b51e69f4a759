// qtr-cli's scheduled jobs as separate processes on a pseudo-terminal against the
// simulated units of qtr-sim's bus server, and collection killed at any instant.

#include "base/file_lock.h"
#include "db/configuration_database.h"
#include "db/data_files.h"
#include "events/event_file.h"
#include "sim/served_bus.h"
#include "sim/sim_console.h"
#include "support/process_run.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <random>
#include <regex>
#include <sstream>
#include <thread>

namespace qtr::test {
namespace {

using sim::test::ServedBus;

// A program run to its end: the exit status, or -signal when it was killed.
struct Finished {
    int status;
    std::string out;
    std::string err;
};

Finished runProgram(const std::string& program, std::vector<std::string> args) {
    args.insert(args.begin(), program);
    ProcessOutcome r = runProcess(args);
    return {r.signal != 0 ? -r.signal : r.status, std::move(r.out), std::move(r.err)};
}

class CliJobs : public ::testing::Test {
protected:
    CliJobs() {
        unit(0x01, kUnitAccess, "Vchod");
        unit(0x02, kUnitAttendance, "Docházka");
        KeyHolderRecord& k = db.keyHolders.current();
        k = KeyHolderRecord::newRecord();
        k.keyNumber = KeyNumber::parse("0100000000000A");
        k.holderName.setText("Jan");
        k.permissionGroupName.setText("Vše");
        db.keyHolders.append();
        AccessScheduleRecord& s = db.schedules.current();
        s.scheduleName.setText("Den");
        s.segmentCount = 1;
        s.segments[0] = {makeHourMinute(0, 0), makeHourMinute(23, 59), 0x7F};
        db.schedules.append();
        PermissionGroupRecord& p = db.permissionGroups.current();
        p.name.setText("Vše");
        p.entryCount = 1;
        p.entries[0].unitAddress = 0x01;
        p.entries[0].entryAttributes = 0x03;
        p.entries[0].scheduleName.setText("Den");
        db.permissionGroups.append();
        save();
        simBus.addUnit({0x01, sim::kModelVkr8, sim::kModeAccess, 3, "Vchod"});
        simBus.addUnit({0x02, sim::kModelVkr8, sim::kModeAttendance, 3, "Docházka"});
    }

    void unit(std::uint8_t address, std::uint8_t type, const char* name) {
        ControlUnitRecord& u = db.units.current();
        u = ControlUnitRecord{};
        u.address = address;
        u.unitType = type;
        u.alarmMask = 0x3F;
        u.parameters[0] = type == kUnitAttendance ? 0x12 : 0x51;
        u.unitName.setText(name);
        db.units.append();
    }
    void save() {
        ASSERT_TRUE(db.units.save(dir / kUnitsFile).ok());
        ASSERT_TRUE(db.keyHolders.save(dir / kKeyHoldersFile).ok());
        ASSERT_TRUE(db.schedules.save(dir / kSchedulesFile).ok());
        ASSERT_TRUE(db.permissionGroups.save(dir / kPermissionGroupsFile).ok());
    }

    Finished cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.path().string(), "--com2", served.path()});
        return runProgram(QTR_CLI_PROGRAM, args);
    }

    // Lets `n` keys be presented at reader 0 of a unit, one second apart in unit time.
    void present(std::uint8_t address, int n, int first = 1) {
        served.withBus([&](sim::SimBus& bus) {
            sim::SimUnit& u = *bus.unit(address);
            for (int i = 0; i < n; ++i) {
                const std::string key = "01000000" + std::string(address == 1 ? "10" : "20") +
                                        (first + i < 10 ? "0" : "") + std::to_string(first + i);
                ASSERT_TRUE(
                    u.presentKey(0, KeyNumber::parse(key), bus.now() + (first + i) / 86400.0)
                        .recorded);
            }
        });
    }

    // What the units hold, as the event file must come to hold it: unit by unit.
    std::vector<EventRecord> heldByUnits() {
        std::vector<EventRecord> all;
        served.withBus([&](sim::SimBus& bus) {
            for (const auto& [address, u] : bus.units()) {
                for (const auto& e : u.events().events()) {
                    std::vector<std::uint8_t> answer(18, 0);
                    answer[0] = address;
                    const auto item = e.itemBytes();
                    std::copy(item.begin(), item.end(), answer.begin() + 4);
                    all.push_back(buildEventRecord(answer, 1));
                }
            }
        });
        return all;
    }
    std::vector<EventRecord> stored() {
        const auto bytes = readBytes(dir / kEventFile);
        std::vector<EventRecord> out;
        for (std::size_t off = 0; off + EventRecord::kSize <= bytes.size();
             off += EventRecord::kSize) {
            out.push_back(
                EventRecord::fromBytes(std::span(bytes).subspan(off, EventRecord::kSize)));
        }
        return out;
    }
    std::size_t pending() {
        std::size_t n = 0;
        served.withBus([&](sim::SimBus& bus) {
            for (const auto& [a, u] : bus.units()) {
                n += u.events().pending();
            }
        });
        return n;
    }

    TempDir dir;
    ConfigurationDatabase db;
    SystemClock clock;
    sim::SimBus simBus{clock};
    ServedBus served{simBus, {}};
};

TEST_F(CliJobs, StatsCheckConfigureCollectAndSettimeAsTheyRunFromCron) {
    Finished r = cli({"stats"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "           Počet         Využívá  Neurčeno\n"
                     "Klíče          1  Užito  [klíčů]   [klíčů]\n"
                     "Skupina        0      0        0         1\n"
                     "Rozpisy        -      -        -         -\n"
                     "Oprávnění      1      1        1         0\n");
    r = cli({"check"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Žádné chyby nezjištěny.\n");

    r = cli({"configure"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(r.out.starts_with("KONFIGURACE 01 Vchod \nNULOVÁNÍ 01 Vchod \n"
                                  "KONFIGURACE 02 Docházka \nNULOVÁNÍ 02 Docházka \n"
                                  "OPRÁVNĚNÍ 0100000000000A 00:00 23:59 7F 01 03\n"
                                  "DOCHÁZKOVÉ JEDNOTKY Jan 0100000000000A 00:00 23:59 7F 02 00\n"
                                  "UZAMČENÍ 01 Vchod \nNASTAVENÍ ČASU "))
        << r.out;
    EXPECT_TRUE(r.out.ends_with("MASKA RELÉ 02 Docházka \nHotovo!\n")) << r.out;
    served.withBus([](sim::SimBus& bus) {
        EXPECT_EQ(bus.unit(0x01)->state(), sim::kStateLocked);
        EXPECT_EQ(bus.unit(0x01)->rights().count(), 1u);
        EXPECT_EQ(bus.unit(0x02)->rights().count(), 1u);
    });

    present(0x01, 3);
    present(0x02, 2);
    const auto held = heldByUnits();
    r = cli({"collect"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Test stavu: Vchod\n01 *\n01 *\n01 *\nTest stavu: Docházka\n02 *\n02 *\n"
                     "\nHotovo! \n"
                     "Přečteno jednotek: 2, uloženo událostí: 5, vynecháno jednotek: 0\n");
    EXPECT_EQ(stored(), held);
    EXPECT_EQ(pending(), 0u);

    r = cli({"settime"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.ends_with("\n01 Vchod - nastaveno\n02 Docházka - nastaveno\n\nHotovo!\n"))
        << r.out;
}

TEST_F(CliJobs, APortHeldByAnotherProgramAndAUnitThatIsGivenUp) {
    {
        FileLock qtrWindow;
        ASSERT_TRUE(qtrWindow.tryLock(dir / kPortLockFile, "x").ok());
        const Finished r = cli({"collect"});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.starts_with("Sériový port COM2 právě používá jiný program (test_e2e, "
                                      "proces "))
            << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir / kEventFile));
    }
    unit(0x03, kUnitAccess, "Ticho");
    save();
    const Finished r = cli({"collect", "--tries", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Test stavu: Vchod\nChybný stav: není konfigurována\n"
                     "Test stavu: Vchod\nChybný stav: není konfigurována\n"
                     "Jednotka 01 Vchod vynechána po 2 neúspěšných pokusech\n"
                     "Test stavu: Docházka\nChybný stav: není konfigurována\n"
                     "Test stavu: Docházka\nChybný stav: není konfigurována\n"
                     "Jednotka 02 Docházka vynechána po 2 neúspěšných pokusech\n"
                     "Test stavu: Ticho\n03 - Žádná odpověď\n"
                     "Test stavu: Ticho\n03 - Žádná odpověď\n"
                     "Jednotka 03 Ticho vynechána po 2 neúspěšných pokusech\n"
                     "\nHotovo! \n"
                     "Přečteno jednotek: 0, uloženo událostí: 0, vynecháno jednotek: 3\n");
    EXPECT_EQ(cli({"collect", "--tries", "0"}).status, 2);
}

// Unit clocks that lie, from cron: a unit 3 minutes fast and one that lost its time in a
// power cut; collect --settime sets both right after their events, clocks shows the rest.
TEST_F(CliJobs, ClocksThatLieAreReportedAndSetByTheNightlyCollection) {
    ASSERT_EQ(cli({"configure"}).status, 0);
    sim::SimConsole console(simBus);
    std::ostringstream said;
    served.withBus([&](sim::SimBus&) {
        console.execute("hodiny 01 +180", said);
        console.execute("vypadek 02", said);
    });
    present(0x02, 1);
    const auto held = heldByUnits();
    Finished r = cli({"clocks"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.starts_with("01 Vchod ")) << r.out;
    // The unit's clock was set in whole seconds and a second may turn while the status
    // request is on the line: 3 minutes ahead reads +0:02:59 .. +0:03:01.
    const std::regex threeMinutes("\\+0:0(2:59|3:00|3:01)");
    EXPECT_TRUE(std::regex_search(r.out, threeMinutes)) << r.out;
    EXPECT_NE(r.out.find(" !\n02 Docházka 01.01.2000 00:00:"), std::string::npos) << r.out;

    r = cli({"collect", "--settime"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::size_t eol = r.out.find('\n', r.out.find("Hodiny jednotky 02 se liší o -"));
    EXPECT_TRUE(r.out.starts_with("Test stavu: Vchod\nHodiny jednotky 01 se liší o +0:0")) << r.out;
    EXPECT_NE(r.out.find(" od času PC\n01 Vchod - nastaveno\nTest stavu: Docházka\n"),
              std::string::npos)
        << r.out;
    EXPECT_TRUE(r.out.substr(eol).starts_with(
        "\n02 * (podezřelý čas)\n02 Docházka - nastaveno\n\nHotovo! \n"
        "Přečteno jednotek: 2, uloženo událostí: 1, vynecháno jednotek: 0\n"
        "Jednotka 01 Vchod: hodiny se liší o +0:0"))
        << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 12);
    EXPECT_NE(r.out.find("Jednotka 02 Docházka: hodiny se liší o -"), std::string::npos);
    EXPECT_NE(r.out.find("nastaveny podle PC, podezřelý čas u 1 událostí\n"), std::string::npos);
    EXPECT_EQ(stored(), held); // stored as the unit sent it
    r = cli({"clocks", "--clock-tolerance", "1"});
    EXPECT_EQ(r.status, 0) << r.out;

    // A unit that does not answer.
    served.withBus([](sim::SimBus& bus) { bus.unit(0x02)->setFault(sim::UnitFault::NoAnswer); });
    r = cli({"clocks"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.ends_with("\n02 Docházka - 02 - Žádná odpověď\n")) << r.out;
}

// Collection killed at many instants, among them right between storing an event and
// acknowledging it, then run again: every event the units held is stored exactly once.
TEST_F(CliJobs, KilledAtAnyInstantAndResumedEveryEventIsStoredExactlyOnce) {
    {
        const Finished c = cli({"configure"});
        ASSERT_EQ(c.status, 0) << c.out << c.err;
    }
    present(0x01, 30);
    present(0x02, 30);
    std::vector<EventRecord> held = heldByUnits();
    ASSERT_EQ(held.size(), 60u);

    // Killed from outside at random instants (on a fast machine these runs may collect
    // everything; on a slow one nothing).
    std::mt19937 random(20261209);
    for (int i = 0; i < 12; ++i) {
        ProcessOptions killed;
        killed.killAfter =
            std::chrono::milliseconds(std::uniform_int_distribution<int>(5, 400)(random));
        runProcess(
            {QTR_CLI_PROGRAM, "--dir", dir.path().string(), "--com2", served.path(), "collect"},
            killed);
    }
    // More bookings, so that every self-kill below finds its k-th event to store.
    const auto before = heldByUnits();
    present(0x01, 10, 31);
    present(0x02, 10, 31);
    for (const EventRecord& e : heldByUnits()) {
        if (std::find(before.begin(), before.end(), e) == before.end()) {
            held.push_back(e);
        }
    }
    ASSERT_EQ(held.size(), 80u);
    // Killed by the helper itself after its k-th store, before the acknowledge.
    for (int k : {1, 3, 2, 7}) {
        const Finished r = runProgram(QTR_COLLECT_UNTIL_KILLED,
                                      {dir.path().string(), served.path(), std::to_string(k)});
        EXPECT_EQ(r.status, -SIGKILL) << r.err;
    }
    // The last of those kills left its stored event unacknowledged: it comes again and is
    // acknowledged without a second copy.
    const Finished last = cli({"collect"});
    EXPECT_EQ(last.status, 0) << last.out << last.err;
    EXPECT_EQ(pending(), 0u);
    EXPECT_NE(last.out.find(" * (opakovaně přijatá, už uložena)"), std::string::npos) << last.out;
    // Every event exactly once; the order across units depends on where the kills fell.
    const auto file = stored();
    ASSERT_EQ(file.size(), held.size());
    for (const EventRecord& e : held) {
        EXPECT_EQ(std::count(file.begin(), file.end(), e), 1);
    }
}

// The operator's trim from cron ("events trim") and collection from cron run at the same
// time, as separate processes, again and again: every event the units held ends in the
// event file or in one of the archives beside it, exactly once.
TEST_F(CliJobs, TrimsWhileCollectingKeepEveryEventOnceInTheFileOrAnArchive) {
    {
        const Finished c = cli({"configure"});
        ASSERT_EQ(c.status, 0) << c.out << c.err;
    }
    // Everything before tomorrow: each trim that gets the file empties it into an archive.
    const std::string tomorrow = formatDateTime("dd.mm.yyyy", clock.now() + 1.0);
    std::atomic<bool> collecting{true};
    int trimmed = 0;
    std::thread trims([&] {
        while (collecting) {
            const Finished t = runProgram(QTR_CLI_PROGRAM, {"--dir", dir.path().string(), "events",
                                                            "trim", "--before", tomorrow});
            if (t.status == 0) {
                ++trimmed;
            } else {
                EXPECT_TRUE(t.err.find("právě používá jiný program") != std::string::npos ||
                            t.err == "Soubor událostí QTR0005.DAT neexistuje.\n")
                    << t.err;
            }
        }
    });
    // Keys are presented between the collections, as through a working day.
    std::vector<EventRecord> held;
    for (int round = 0; round < 6; ++round) {
        present(0x01, 4, 1 + 4 * round);
        present(0x02, 4, 1 + 4 * round);
        const auto now = heldByUnits();
        held.insert(held.end(), now.begin(), now.end());
        for (int run = 0; run < 20 && pending() > 0; ++run) {
            const Finished c = cli({"collect"});
            EXPECT_TRUE(c.status == 0 ||
                        c.err.find("právě používá jiný program") != std::string::npos)
                << c.out << c.err;
        }
    }
    collecting = false;
    trims.join();
    ASSERT_EQ(pending(), 0u);
    EXPECT_GT(trimmed, 3);
    ASSERT_EQ(held.size(), 48u);

    std::vector<std::string> kept;
    const auto take = [&](const std::filesystem::path& file) {
        const auto bytes = readBytes(file);
        for (std::size_t at = 0; at + EventRecord::kSize <= bytes.size();
             at += EventRecord::kSize) {
            kept.emplace_back(bytes.begin() + static_cast<long>(at),
                              bytes.begin() + static_cast<long>(at + EventRecord::kSize));
        }
    };
    take(dir / kEventFile);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().filename().string().starts_with("UDALOSTI-")) {
            take(entry.path());
        }
    }
    std::vector<std::string> expected;
    for (const EventRecord& e : held) {
        std::vector<std::uint8_t> b(EventRecord::kSize);
        e.toBytes(b);
        expected.emplace_back(b.begin(), b.end());
    }
    std::sort(kept.begin(), kept.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(kept.size(), expected.size()) << trimmed << " trims";
    EXPECT_TRUE(kept == expected);
}

} // namespace
} // namespace qtr::test
