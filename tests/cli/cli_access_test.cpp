#include "base/win1250.h"
#include "cli/cli_run.h"
#include "db/data_files.h"
#include "db/tables.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace qtr::cli {
namespace {

using test::CliRun;

CliRun run(const test::TempDir& dir, std::vector<std::string> args) {
    return test::runQtrCli(dir.path(), std::move(args));
}

// Z sorts before Č byte by byte; the listing keeps the file's order.
void writeInstallation(const test::TempDir& dir) {
    AccessScheduleTable schedules;
    auto& s = schedules.current();
    s.scheduleName.setText("Čeština");
    s.segmentCount = 2;
    s.segments[0] = {makeHourMinute(7, 0), makeHourMinute(15, 30), 0x7C};
    s.segments[1] = {makeHourMinute(8, 0), makeHourMinute(12, 0), 0x02};
    schedules.append();
    s = AccessScheduleRecord{};
    s.scheduleName.setText("Zima");
    s.segmentCount = 1;
    s.segments[0] = {makeHourMinute(22, 0), makeHourMinute(23, 59), 0x01};
    schedules.append();
    ASSERT_TRUE(schedules.save(dir / kSchedulesFile));

    ControlUnitTable units;
    auto& u = units.current();
    u.address = 0x0A;
    u.unitType = kUnitBarrier;
    u.unitName.setText("Brána");
    u.inputNames[0].setText("Závora 0 ");
    units.append();
    u = ControlUnitRecord{};
    u.address = 0x21;
    u.unitType = kUnitAccess;
    u.unitName.setText("Vrátnice");
    units.append();
    ASSERT_TRUE(units.save(dir / kUnitsFile));

    PermissionGroupTable groups;
    auto& g = groups.current();
    g.name.setText("Údržba");
    g.entryCount = 3;
    g.entries[0] = {0x0A, 0x0D, ShortString<17>("Zima")};
    g.entries[1] = {0x21, 0x00, ShortString<17>("Čeština")};
    g.entries[2] = {0x33, 0x01, ShortString<17>()};
    groups.append();
    g = PermissionGroupRecord{};
    g.name.setText("Prázdná");
    groups.append();
    ASSERT_TRUE(groups.save(dir / kPermissionGroupsFile));
}

TEST(CliAccess, SchedulesAndPermissionsListed) {
    test::TempDir dir;
    writeInstallation(dir);
    CliRun r = run(dir, {"schedules"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Čeština\n"
                     "  07:00 - 15:30 Po Út St Čt Pá \n"
                     "  08:00 - 12:00 So \n"
                     "Zima\n"
                     "  22:00 - 23:59 Ne \n");

    r = run(dir, {"permissions"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Údržba\n"
                     "  0A Brána  Kam: klíč vozidla, Závora 0   Kdy: Zima\n"
                     "  21 Vrátnice  Kam: všechny dveře  Kdy: Čeština\n"
                     "  ?-33  Kam: ?  Kdy: \n"
                     "Prázdná\n");

    r = run(dir, {"--out", (dir / "rozvrhy.txt").string(), "schedules"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(test::readText(dir / "rozvrhy.txt"),
              utf8ToWin1250("Čeština\r\n  07:00 - 15:30 Po Út St Čt Pá \r\n  08:00 - 12:00 So \r\n"
                            "Zima\r\n  22:00 - 23:59 Ne \r\n"));
}

TEST(CliAccess, MissingFilesListNothingBrokenOnesFail) {
    test::TempDir dir;
    for (const char* command : {"schedules", "permissions"}) {
        const CliRun r = run(dir, {command});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_EQ(run(dir, {command, "navic"}).status, 2) << command;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / kSchedulesFile));
    EXPECT_FALSE(std::filesystem::exists(dir / kPermissionGroupsFile));

    test::writeBytes(dir / kSchedulesFile, std::vector<std::uint8_t>(55, 0));
    test::writeBytes(dir / kPermissionGroupsFile, std::vector<std::uint8_t>(658, 0));
    for (const char* command : {"schedules", "permissions"}) {
        const CliRun r = run(dir, {command});
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err.find("QTR000"), std::string::npos) << r.err;
    }
    EXPECT_EQ(std::filesystem::file_size(dir / kSchedulesFile), 55u); // left as it was
}

} // namespace
} // namespace qtr::cli
