// qtr-cli sim and the in-process bus of a data directory across runs.

#include "cli/cli_main.h"
#include "db/control_unit_record.h"
#include "db/key_holder_record.h"
#include "sim/data_dir_simulation.h"
#include "sim/unit_clock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace qtr::sim::test {
namespace {

constexpr const char* kJan = "0100000012345A";
constexpr const char* kEva = "0200000000000B";

class CliSim : public ::testing::Test {
protected:
    CliSim() {
        std::vector<std::uint8_t> units;
        for (auto [address, type] : {std::pair{0x01, kUnitAccess}, {0x02, kUnitAttendance}}) {
            ControlUnitRecord r;
            r.address = static_cast<std::uint8_t>(address);
            r.unitType = type;
            r.alarmMask = 0xFF;
            r.parameters[0] = type == kUnitAttendance ? 0x12 : 0x51;
            records.push_back(r);
            std::vector<std::uint8_t> b(ControlUnitRecord::kSize);
            r.toBytes(b);
            units.insert(units.end(), b.begin(), b.end());
        }
        qtr::test::writeBytes(dir.path() / "QTR0001.DAT", units);
        std::vector<std::uint8_t> keys;
        for (const char* key : {kJan, kEva}) {
            KeyHolderRecord k = KeyHolderRecord::newRecord();
            k.keyNumber = KeyNumber::parse(key);
            k.holderName.setText(key == kJan ? "Jan Novák" : "Eva Malá");
            std::vector<std::uint8_t> b(KeyHolderRecord::kSize);
            k.toBytes(b);
            keys.insert(keys.end(), b.begin(), b.end());
        }
        qtr::test::writeBytes(dir.path() / "QTR0002.DAT", keys);
    }

    int cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"qtr-cli", "--dir", dir.path().string()});
        out.str("");
        err.str("");
        return cli::runCli(args, out, err);
    }

    // The attendance unit configured as the full configuration leaves it.
    void configureAttendanceUnit() {
        DataDirSimulation sim(dir.path());
        ASSERT_TRUE(sim.ok()) << sim.error();
        UnitTransaction& t = sim.transaction();
        const ControlUnitRecord& u = records[1];
        ASSERT_TRUE(t.KonfigurovatJednotku(u)) << t.errorText;
        ASSERT_TRUE(t.NulovatJednotku(u)) << t.errorText;
        for (const char* key : {kJan, kEva}) {
            RightRecord r;
            r.keyNumber = KeyNumber::parse(key);
            r.toTime = makeHourMinute(23, 59);
            r.dayMask = 0x7F;
            r.unitAddress = 0x02;
            ASSERT_TRUE(t.DuplicitniOpravneni(r)) << t.errorText;
        }
        ASSERT_TRUE(t.UzamknoutJednotku(u)) << t.errorText;
        ASSERT_TRUE(t.NastavitCasJednotky(u, SystemClock().now())) << t.errorText;
        ASSERT_TRUE(sim.save().ok());
    }

    qtr::test::TempDir dir;
    std::vector<ControlUnitRecord> records;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(CliSim, TheUnitsOfTheDataDirectoryWithAReader) {
    ASSERT_EQ(cli({"sim", "jednotky"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "00 ČTECÍ  \"čtečka\"  není konfigurována, 0 událostí, 0 oprávnění\n"
              "01 VKR-8 přístupová  \"\"  není konfigurována, 0 událostí, 0 oprávnění\n"
              "02 VKR-8 docházková  \"\"  není konfigurována, 0 událostí, 0 oprávnění\n");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "QTRSIM.TXT"));
}

TEST_F(CliSim, WhatTheUnitsStoredLastsFromRunToRun) {
    configureAttendanceUnit();
    ASSERT_EQ(cli({"sim", "klic", "02", "0", kJan}), 0) << err.str();
    EXPECT_EQ(out.str(), "02/0 0100000012345A: povoleno\n");
    ASSERT_EQ(cli({"sim", "prava", "02"}), 0) << err.str();
    EXPECT_EQ(out.str(), "1: 0100000012345A 00:00 23:59 7F 00\n"
                         "2: 0200000000000B 00:00 23:59 7F 00\n");
    {
        DataDirSimulation again(dir.path());
        ASSERT_TRUE(again.ok()) << again.error();
        EXPECT_EQ(again.bus().unit(0x02)->state(), kStateLocked);
        EXPECT_EQ(again.bus().unit(0x02)->events().pending(), 1u);
        // The program collects it through the in-process transaction.
        ASSERT_TRUE(again.transaction().CteniUdalosti(0x02)) << again.transaction().errorText;
        EXPECT_EQ(again.transaction().eventCount, 1);
        ASSERT_TRUE(again.save().ok());
    }
    // Closed: the units are one program's at a time.
    ASSERT_EQ(cli({"sim", "udalosti", "02"}), 0);
    EXPECT_EQ(out.str(), "Jednotka 02 nemá žádné události.\n");
    DataDirSimulation holder(dir.path());
    EXPECT_EQ(cli({"sim", "jednotky"}), 1);
    EXPECT_TRUE(err.str().starts_with("Simulované jednotky složky právě používá jiný program ("))
        << err.str();
}

// read-key at a unit of QTR0001.DAT would acknowledge its event unstored: refused.
TEST_F(CliSim, ReadingAKeyAtAUnitOfTheUnitTableIsRefusedAndTheEventStays) {
    configureAttendanceUnit();
    ASSERT_EQ(cli({"sim", "klic", "02", "0", kJan}), 0) << err.str();
    EXPECT_EQ(cli({"--sim", "read-key", "02"}), 1);
    EXPECT_EQ(err.str(), "02 - Na adrese 02 je řídící jednotka: čtení klíče by z ní odebralo "
                         "událost, která ještě není uložena. Zvolte adresu čtecí jednotky "
                         "(standardně 00).\n");
    EXPECT_EQ(out.str(), "");
    ASSERT_EQ(cli({"--sim", "read-key", "00"}), 0) << err.str();
    EXPECT_EQ(out.str(), "00000000000000\n");
    DataDirSimulation after(dir.path());
    ASSERT_TRUE(after.ok()) << after.error();
    EXPECT_EQ(after.bus().unit(0x02)->events().pending(), 1u);
    // A unit file that cannot be read decides nothing: no key is read at all.
    qtr::test::writeBytes(dir.path() / "QTR0001.DAT", {1, 2, 3});
    EXPECT_EQ(cli({"--sim", "read-key", "00"}), 1);
    EXPECT_NE(err.str().find("QTR0001.DAT"), std::string::npos) << err.str();
}

TEST_F(CliSim, TheDayModeFillsThePastWorkingDays) {
    configureAttendanceUnit();
    ASSERT_EQ(cli({"sim", "den", "3"}), 0) << err.str();
    DataDirSimulation after(dir.path());
    ASSERT_TRUE(after.ok());
    const SimUnit& unit = *after.bus().unit(0x02);
    // Two persons, four bookings a day; access unit 01 is not locked and records nothing.
    ASSERT_EQ(unit.events().pending(), 3u * 2 * 4);
    const DateTime today = datePart(SystemClock().now());
    DateTime last = 0;
    for (const auto& e : unit.events().events()) {
        const DateTime t = unpackDateTime(e.packedTime);
        EXPECT_LT(t, today);
        EXPECT_GE(t, today - 5); // three working days back span at most five days
        EXPECT_GE(t, last);      // in time order
        const int weekday = dayOfWeek(t);
        EXPECT_TRUE(weekday != 1 && weekday != 7) << formatDateTime("dd.mm.yyyy", t);
        last = t;
    }
    // The unit clock keeps to the PC's clock afterwards.
    EXPECT_NEAR(unit.clock().now(after.bus().now()), SystemClock().now(), 1.0 / 1440);
}

TEST_F(CliSim, RefusalsAndConsoleOnlyCommands) {
    EXPECT_EQ(cli({"sim", "stav", "77"}), 1);
    EXPECT_EQ(err.str(), "Jednotka 77 na sběrnici není.\n");
    std::filesystem::remove(dir.path() / "QTR0002.DAT");
    EXPECT_EQ(cli({"sim", "den", "3"}), 1);
    EXPECT_EQ(err.str(), "Scénář nemá žádné osoby.\n");
    EXPECT_EQ(cli({"sim", "konec"}), 2);
    EXPECT_EQ(cli({"sim"}), 2);
}

} // namespace
} // namespace qtr::sim::test
