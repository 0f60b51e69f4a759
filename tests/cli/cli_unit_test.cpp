#include "cli/cli_run.h"
#include "db/data_files.h"
#include "db/tables.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr::cli {
namespace {

using Outcome = test::CliRun;

Outcome runIn(const test::TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), "--sim");
    return test::runQtrCli(dir.path(), std::move(args));
}

void defineUnits(const test::TempDir& dir) {
    ControlUnitTable units;
    units.clearCurrent();
    units.current().address = 0x0A;
    units.current().unitType = kUnitAccess;
    units.current().unitName.setText("Vchod");
    ASSERT_TRUE(units.append());
    // The key reader at 00 is no unit of the table: the simulation adds it there.
    ASSERT_TRUE(units.save(dir / kUnitsFile).ok());
}

TEST(CliUnitOnSimulatedBus, StatusOfADefinedUnitPrintsTheStatusWindowLines) {
    test::TempDir dir;
    defineUnits(dir);
    const Outcome r = runIn(dir, {"status", "0A"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Adresa: 0A\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Stav jednotky: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Počet oprávnění: "), std::string::npos) << r.out;
}

TEST(CliUnitOnSimulatedBus, AnAddressNobodyAnswersFailsWithTheVerdictText) {
    test::TempDir dir;
    defineUnits(dir);
    const Outcome r = runIn(dir, {"status", "0B"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "0B - Žádná odpověď\n");
    EXPECT_EQ(r.out, "");
}

TEST(CliUnitOnSimulatedBus, ReadKeyAndWrongAddresses) {
    test::TempDir dir;
    defineUnits(dir);
    const Outcome none = runIn(dir, {"read-key", "00"});
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.out, "00000000000000\n"); // no key presented at the reader
    const Outcome unit = runIn(dir, {"read-key", "0A"});
    EXPECT_EQ(unit.status, 1);
    EXPECT_EQ(unit.err.rfind("0A - Na adrese 0A je řídící jednotka „Vchod“", 0), 0u) << unit.err;
    EXPECT_EQ(runIn(dir, {"status", "A"}).status, 2);
    EXPECT_EQ(runIn(dir, {"status", "0G"}).status, 2);
}

} // namespace
} // namespace qtr::cli
