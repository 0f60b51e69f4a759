#include "cli/cli_run.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace qtr::cli {
namespace {
namespace fs = std::filesystem;

using test::CliRun;

CliRun run(std::vector<std::string> args) {
    return test::runQtrCli(std::move(args));
}

TEST(CliInit, CreatesTheFilesAndPrintsEveryTable) {
    test::TempDir dir;
    const CliRun r = run({"--dir", dir.path().string(), "init"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "QTR0001.DAT řídící jednotky: 0\n"
                     "QTR0003.DAT zóny: 1\n"
                     "QTR0002.DAT nositelé klíčů: 0\n"
                     "QTR0004.DAT organizační skupiny: 0\n"
                     "QTR0007.DAT časy pro přístup: 0\n"
                     "QTR0008.DAT skupiny oprávnění: 0\n");
    EXPECT_EQ(fs::file_size(dir / "QTR0003.DAT"), 562u);
    EXPECT_EQ(fs::file_size(dir / "QTR0001.DAT"), 0u);
}

TEST(CliInit, AFileErrorGoesToStandardErrorAndExitsOne) {
    test::TempDir dir;
    test::writeBytes(dir / "QTR0004.DAT", std::vector<std::uint8_t>(30, 0));
    const CliRun r = run({"--dir", dir.path().string(), "init"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("QTR0004.DAT"), std::string::npos);
    EXPECT_NE(r.out.find("QTR0004.DAT organizační skupiny: 1"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "QTR0004.DAT.bak"));
}

TEST(CliUsage, WrongUsageExitsTwo) {
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"nonsense"}).status, 2);
    EXPECT_EQ(run({"--bogus", "init"}).status, 2);
    EXPECT_EQ(run({"init", "extra"}).status, 2);
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.err.find("init"), std::string::npos);
}

} // namespace
} // namespace qtr::cli
