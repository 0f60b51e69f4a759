#include "support/hex_dump.h"
#include "unitproc/procedure_fixture.h"
#include "unitproc/rights_compilation.h"
#include "unitproc/unit_statistics.h"

namespace qtr {
namespace {

class RightsCompilation : public test::ProcedureFixture {
protected:
    RightsCompilation() {
        addUnit(0x01, kUnitAccess, "Vchod", false);
        addUnit(0x02, kUnitAttendance, "Docházka", false);
        addUnit(0x03, kUnitAccess, "Sklad", false);
        schedule("Den", {{makeHourMinute(7, 30), makeHourMinute(16, 0), 0x7C},
                         {makeHourMinute(18, 0), makeHourMinute(20, 0), 0x02}});
        schedule("Nikdy", {});
        permissions("Vše", {{0x01, 0x03, "Den"}, {0x07, 0x01, "Den"}, {0x03, 0x01, "Den"}});
        permissions("Doch", {{0x02, 0x00, "Den"}});
        permissions("Špatný čas", {{0x01, 0x01, "Noc"}});
        permissions("Prázdná", {});
        permissions("Sklad", {{0x03, 0x05, "Den"}, {0x01, 0x01, "Nikdy"}});
    }

    void schedule(const std::string& name, std::vector<TimeSegment> segments) {
        AccessScheduleRecord& s = db.schedules.current();
        s = AccessScheduleRecord{};
        s.scheduleName.setText(name);
        s.segmentCount = static_cast<std::uint8_t>(segments.size());
        std::copy(segments.begin(), segments.end(), s.segments.begin());
        ASSERT_TRUE(db.schedules.append());
    }
    struct Entry {
        std::uint8_t unit;
        std::uint8_t objects;
        const char* schedule;
    };
    void permissions(const std::string& name, std::vector<Entry> entries) {
        PermissionGroupRecord& p = db.permissionGroups.current();
        p = PermissionGroupRecord{};
        p.name.setText(name);
        p.entryCount = static_cast<std::uint8_t>(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            p.entries[i].unitAddress = entries[i].unit;
            p.entries[i].entryAttributes = entries[i].objects;
            p.entries[i].scheduleName.setText(entries[i].schedule);
        }
        ASSERT_TRUE(db.permissionGroups.append());
    }
};

// One holder per rule: the finding of the check, and how many rights the holder still gets.
TEST_F(RightsCompilation, EveryFindingOfTheCheckAndTheRightsThatRemain) {
    struct Case {
        const char* holder;
        const char* key;
        const char* group;
        const char* finding; // "" = none
        std::size_t rights;
    };
    const Case cases[] = {
        {"Adam", "01000000000001", "", "Adam - nemá žádné oprávnění", 0},
        {"Bára", "01000000000002", "Neznámá", "Bára - neplatné oprávnění  >Neznámá<", 0},
        // Entry 2 names a missing unit: entry 1 (two segments) stays, entry 3 is skipped.
        {"Cyril", "01000000000003", "Vše", "  Vše, 07 neznámá jednotka!", 2},
        {"Dana", "01000000000004", "Doch", "Docházková jednotka 02 Docházka mezi oprávněními!", 0},
        {"Emil", "01000000000005", "Špatný čas", "  Špatný čas, 01 neplatný časový rozvrh >Noc<",
         0},
        {"Filip", "01000000000006", "Prázdná", "", 0},
        // A schedule without segments adds nothing and is no finding.
        {"Gita", "01000000000007", "Sklad", "", 2},
    };
    for (const Case& c : cases) {
        addHolder(c.holder, c.key, c.group);
    }
    CompiledRights out;
    ASSERT_TRUE(CreateRights(db, dir.path(), true, &log, out).ok());
    std::vector<std::string> expectedFindings;
    std::size_t expectedRights = 0;
    for (const Case& c : cases) {
        if (*c.finding != 0) {
            expectedFindings.emplace_back(c.finding);
        }
        std::vector<RightRecord> one;
        std::vector<std::string> findings;
        ZpracovatOpravneni(db, db.keyHolders.at(static_cast<int>(&c - cases) + 1), true, one,
                           findings);
        EXPECT_EQ(one.size(), c.rights) << c.holder;
        expectedRights += c.rights;
    }
    EXPECT_EQ(test::joined(out.findings), test::joined(expectedFindings));
    EXPECT_EQ(test::joined(log.lines), test::joined(expectedFindings));
    EXPECT_EQ(out.rights.size(), expectedRights);
    EXPECT_EQ(log.progressMaximum, 7);
    EXPECT_EQ(log.progress, 7);

    // Without the report the same rights, no findings.
    CompiledRights silent = compileRights(db, false);
    EXPECT_TRUE(silent.findings.empty());
    EXPECT_EQ(silent.rights, out.rights);
}

TEST_F(RightsCompilation, TheFileHoldsOneRecordPerKeyUnitAndWindowInOrder) {
    addHolder("Cyril", "0100000000000C", "Vše");
    addHolder("Gita", "0100000000000D", "Sklad");
    CompiledRights out;
    ASSERT_TRUE(CreateRights(db, dir.path(), false, nullptr, out).ok());
    // key (stored order: the text's last byte second), from LE, to LE, day mask, unit, object mask
    const std::vector<std::uint8_t> expected = {
        0x01, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1E, 0x07, 0x00, 0x10, 0x7C, 0x01, 0x03,
        0x01, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x12, 0x00, 0x14, 0x02, 0x01, 0x03,
        0x01, 0x0D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1E, 0x07, 0x00, 0x10, 0x7C, 0x03, 0x05,
        0x01, 0x0D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x12, 0x00, 0x14, 0x02, 0x03, 0x05,
    };
    EXPECT_BYTES(expected, test::readBytes(dir / kRightsFile));
    std::vector<RightRecord> back;
    ASSERT_TRUE(readRightsFile(dir / kRightsFile, back).ok());
    EXPECT_EQ(back, out.rights);
    EXPECT_EQ(rightDescription(back[0]), "0100000000000C 07:30 16:00 7C 01 03");
}

TEST_F(RightsCompilation, NothingToCompileKeepsTheFileOnlyAttendanceUnitsEmptyIt) {
    test::writeBytes(dir / kRightsFile, {1, 2, 3});
    CompiledRights out;
    ASSERT_TRUE(CreateRights(db, dir.path(), true, &log, out).ok()); // no key holder
    EXPECT_FALSE(out.compiled);
    EXPECT_EQ(test::readBytes(dir / kRightsFile), (std::vector<std::uint8_t>{1, 2, 3}));

    addHolder("Cyril", "0100000000000C", "Vše");
    db.units.clear();
    ASSERT_TRUE(CreateRights(db, dir.path(), true, &log, out).ok()); // no unit
    EXPECT_EQ(test::readBytes(dir / kRightsFile).size(), 3u);

    addUnit(0x02, kUnitAttendance, "Docházka", false);
    ASSERT_TRUE(CreateRights(db, dir.path(), true, &log, out).ok());
    EXPECT_TRUE(out.compiled);
    EXPECT_TRUE(out.findings.empty()); // attendance units alone: nobody is processed
    EXPECT_TRUE(test::readBytes(dir / kRightsFile).empty());
}

TEST_F(RightsCompilation, StatisticsGrid) {
    addHolder("A", "01000000000001", "Vše", "Výroba");
    addHolder("B", "01000000000002", "Vše", "Výroba");
    addHolder("C", "01000000000003", "Doch", "Sklad");
    addHolder("D", "01000000000004", "", "");
    db.groups.current().groupName.setText("Výroba");
    ASSERT_TRUE(db.groups.append());
    const StatisticsGrid g = ShowStatistics(db);
    std::string text;
    for (const auto& row : g) {
        for (const auto& cell : row) {
            text += cell + "|";
        }
        text += "\n";
    }
    EXPECT_EQ(text, "|Počet||Využívá|Neurčeno|\n"
                    "Klíče |4|Užito|[klíčů]|[klíčů]|\n"
                    "Skupina|1|2|3|1|\n"
                    "Rozpisy|-|-|-|-|\n"
                    "Oprávnění|5|2|3|1|\n");
}

} // namespace
} // namespace qtr
