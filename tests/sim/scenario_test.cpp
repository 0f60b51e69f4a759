// The scenario format and the units and persons taken from the program's files.

#include "base/clock.h"
#include "db/control_unit_record.h"
#include "db/key_holder_record.h"
#include "sim/demo_scenario.h"
#include "sim/scenario.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr::sim {
namespace {

constexpr const char* kExample = R"(# Vrátnice a sklad
zpozdeni 15
rychlost 2400
jednotka 01 pristupova "Hlavní vchod" pamet 7
jednotka 02 dochazkova "Docházka"
jednotka 03 dverni "Sklady"
jednotka 04 zavorova "Parkoviště"
jednotka 05 model 01 rezim 12 "Zvláštní"
ctecka 00 "Čtečka u PC"
osoba 0100000012345A "Jan Novák" prichod 6:45 odchod 15:15 prestavka 11:00 30 lekar 10
osoba 0200000000000B "Eva Malá"   # výchozí zvyky
den dochazka 02 vstup 01 1
)";

TEST(Scenario, TheExampleReadsAsWritten) {
    Scenario s;
    std::string error;
    ASSERT_TRUE(parseScenario(kExample, s, error)) << error;
    EXPECT_EQ(s.latencyMs, 15);
    EXPECT_EQ(s.baud, 2400);
    ASSERT_EQ(s.units.size(), 6u);
    const std::tuple<std::uint8_t, std::uint8_t, std::uint8_t, const char*> expected[] = {
        {0x01, kModelVkr8, kModeAccess, "Hlavní vchod"},
        {0x02, kModelVkr8, kModeAttendance, "Docházka"},
        {0x03, kModelVkrExp, 0x01, "Sklady"},
        {0x04, kModelVkrZav, 0x03, "Parkoviště"},
        {0x05, kModelVkr8, 0x12, "Zvláštní"},
        {0x00, kModelReader, 0x00, "Čtečka u PC"}};
    for (std::size_t i = 0; i < 6; ++i) {
        const auto& [address, model, mode, name] = expected[i];
        EXPECT_EQ(s.units[i].address, address) << i;
        EXPECT_EQ(s.units[i].model, model) << i;
        EXPECT_EQ(s.units[i].mode, mode) << i;
        EXPECT_EQ(s.units[i].name, name) << i;
    }
    EXPECT_EQ(s.units[0].memoryCode, 7);
    EXPECT_EQ(s.units[1].memoryCode, 3);
    EXPECT_EQ(s.units[5].memoryCode, kNoMemory);

    ASSERT_EQ(s.persons.size(), 2u);
    const ScenarioPerson& jan = s.persons[0];
    EXPECT_EQ(jan.key.text(), "0100000012345A");
    EXPECT_EQ(jan.name, "Jan Novák");
    EXPECT_EQ(jan.arrival, makeHourMinute(6, 45));
    EXPECT_EQ(jan.departure, makeHourMinute(15, 15));
    EXPECT_EQ(jan.breakStart, makeHourMinute(11, 0));
    EXPECT_EQ(jan.breakMinutes, 30);
    EXPECT_EQ(jan.doctorPercent, 10);
    EXPECT_EQ(s.persons[1].arrival, makeHourMinute(7, 0));
    EXPECT_EQ(s.persons[1].departure, makeHourMinute(15, 30));
    EXPECT_EQ(s.day.attendanceUnit, 0x02);
    EXPECT_EQ(s.day.accessUnit, 0x01);
    EXPECT_EQ(s.day.door, 1);
}

TEST(Scenario, AFaultNamesItsLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"jednotka 01 pristupova\njednotka 01 dverni", "řádek 2: adresa 01 je již použita"},
        {"\n\njednotka 02 kuchynska", "řádek 3: neznámý druh jednotky: kuchynska"},
        {"jednotka 1G pristupova", "řádek 1: chybí adresa jednotky (dvě šestnáctkové číslice)"},
        {"osoba 0000000000000 \"X\"", "řádek 1: chybí klíč (14 šestnáctkových číslic)"},
        {"osoba 00000000000000 \"X\"", "řádek 1: nulový klíč není klíč"},
        {"osoba 0100000012345A \"X", "řádek 1: neukončené uvozovky"},
        {"osoba 0100000012345A prichod 16:00 odchod 08:00", "řádek 1: odchod musí být po příchodu"},
        {"osoba 0100000012345A prichod 25:00", "řádek 1: chybný údaj osoby: prichod"},
        {"rychlost 4800", "řádek 1: rychlost: 0, 2400 nebo 9600"},
        {"jednotka 01 pristupova pamet 300", "řádek 1: paměť: číslo 0..255"},
        {"svetlo 01", "řádek 1: neznámý údaj: svetlo"},
    };
    for (const auto& [text, message] : cases) {
        Scenario s;
        std::string error;
        EXPECT_FALSE(parseScenario(text, s, error)) << text;
        EXPECT_EQ(error, message) << text;
    }
}

TEST(Scenario, UnitsAndPersonsComeFromTheProgramsFiles) {
    qtr::test::TempDir dir;
    std::vector<std::uint8_t> units;
    const std::tuple<std::uint8_t, std::uint8_t, const char*> defs[] = {
        {0x01, kUnitAccess, "Vchod"},
        {0x02, kUnitAttendance, "Docházka"},
        {0x03, kUnitDoor, "Sklad"},
        {0x04, kUnitBarrier, "Závora"}};
    for (const auto& [address, type, name] : defs) {
        ControlUnitRecord r;
        r.address = address;
        r.unitType = type;
        r.unitName.setText(name);
        std::vector<std::uint8_t> b(ControlUnitRecord::kSize);
        r.toBytes(b);
        units.insert(units.end(), b.begin(), b.end());
    }
    qtr::test::writeBytes(dir.path() / "QTR0001.DAT", units);
    std::vector<std::uint8_t> keys;
    for (const char* key : {"0100000012345A", "00000000000000", "0200000000000B"}) {
        KeyHolderRecord k = KeyHolderRecord::newRecord();
        k.keyNumber = KeyNumber::parse(key);
        k.holderName.setText(std::string("Držitel ") + key);
        std::vector<std::uint8_t> b(KeyHolderRecord::kSize);
        k.toBytes(b);
        keys.insert(keys.end(), b.begin(), b.end());
    }
    qtr::test::writeBytes(dir.path() / "QTR0002.DAT", keys);

    Scenario s;
    std::string error;
    ASSERT_TRUE(loadUnitsFile(dir.path() / "QTR0001.DAT", s, error)) << error;
    ASSERT_TRUE(loadKeyHoldersFile(dir.path() / "QTR0002.DAT", s, error)) << error;
    ASSERT_EQ(s.units.size(), 4u);
    EXPECT_EQ(s.units[0].model, kModelVkr8);
    EXPECT_EQ(s.units[0].mode, kModeAccess);
    EXPECT_EQ(s.units[1].model, kModelVkr8);
    EXPECT_EQ(s.units[1].mode, kModeAttendance);
    EXPECT_EQ(s.units[2].model, kModelVkrExp);
    EXPECT_EQ(s.units[3].model, kModelVkrZav);
    EXPECT_EQ(s.units[3].name, "Závora");
    ASSERT_EQ(s.persons.size(), 2u); // the holder without a key is nobody to simulate
    EXPECT_EQ(s.persons[1].key.text(), "0200000000000B");
    EXPECT_EQ(s.persons[1].name, "Držitel 0200000000000B");
}

} // namespace
} // namespace qtr::sim

namespace qtr::sim {
namespace {

TEST(DemoScenario, TheDemoInstallationIsComplete) {
    Scenario s;
    std::string error;
    ASSERT_TRUE(parseScenario(demoScenarioText(), s, error)) << error;
    EXPECT_EQ(s.units.size(), 5u);
    EXPECT_EQ(s.persons.size(), 5u);
    ManualClock clock;
    SimBus bus(clock);
    EXPECT_TRUE(populateBus(bus, s));
    ASSERT_NE(bus.unit(0x00), nullptr);
    EXPECT_TRUE(bus.unit(0x00)->isReader());
    EXPECT_TRUE(bus.unit(0x02)->isAttendance());
    EXPECT_FALSE(populateBus(bus, s)); // every address is taken now
}

TEST(DemoScenario, ADataDirectoryGetsAReaderWhereNoUnitIs) {
    qtr::test::TempDir dir;
    ControlUnitRecord r;
    r.address = 0x00;
    r.unitType = kUnitAccess;
    std::vector<std::uint8_t> b(ControlUnitRecord::kSize);
    r.toBytes(b);
    qtr::test::writeBytes(dir.path() / "QTR0001.DAT", b);
    Scenario s;
    std::string error;
    ASSERT_TRUE(scenarioFromDataDir(dir.path(), 0x00, s, error)) << error;
    ASSERT_EQ(s.units.size(), 1u); // 00 is a unit already
    ASSERT_TRUE(scenarioFromDataDir(dir.path(), 0x20, s, error)) << error;
    ASSERT_EQ(s.units.size(), 2u);
    EXPECT_EQ(s.units[1].model, kModelReader);
    EXPECT_EQ(s.units[1].address, 0x20);
    EXPECT_TRUE(s.persons.empty());

    qtr::test::writeBytes(dir.path() / "QTR0001.DAT", std::vector<std::uint8_t>(100, 0));
    EXPECT_FALSE(scenarioFromDataDir(dir.path(), 0x00, s, error));
    EXPECT_NE(error.find("QTR0001.DAT"), std::string::npos) << error;
}

} // namespace
} // namespace qtr::sim
