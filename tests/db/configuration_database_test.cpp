#include "db/configuration_database.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace qtr {
namespace {
namespace fs = std::filesystem;

TEST(Lifecycle, AnEmptyDirectoryGetsTheFourFilesEmptyAndTheMainZoneAtExit) {
    test::TempDir dir;
    ConfigurationDatabase db;
    EXPECT_TRUE(initialiseConfiguration(db, dir.path()).empty());
    for (const char* f : {"QTR0001.DAT", "QTR0002.DAT", "QTR0003.DAT", "QTR0004.DAT"}) {
        ASSERT_TRUE(fs::exists(dir / f)) << f;
        EXPECT_EQ(fs::file_size(dir / f), 0u) << f;
    }
    EXPECT_FALSE(fs::exists(dir / "QTR0007.DAT"));
    EXPECT_FALSE(fs::exists(dir / "QTR0008.DAT"));

    EXPECT_TRUE(loadConfiguration(db, dir.path()).empty());
    EXPECT_TRUE(saveConfiguration(db, dir.path()).empty());
    const auto zones = test::readBytes(dir / "QTR0003.DAT");
    ASSERT_EQ(zones.size(), 562u);
    EXPECT_EQ(ZoneRecord::fromBytes(zones).zoneName.text(), "HLAVNÍ ZÓNA");
    EXPECT_FALSE(fs::exists(dir / "QTR0007.DAT"));
}

TEST(Lifecycle, SchedulesAndPermissionGroupsLoadAtInitialisationAndAreNotWrittenAtExit) {
    test::TempDir dir;
    AccessScheduleTable s;
    s.current().scheduleName.setText("Den");
    ASSERT_TRUE(s.append());
    ASSERT_TRUE(s.save(dir / "QTR0007.DAT").ok());
    const auto before = fs::last_write_time(dir / "QTR0007.DAT");

    ConfigurationDatabase db;
    EXPECT_TRUE(initialiseConfiguration(db, dir.path()).empty());
    EXPECT_EQ(db.schedules.count(), 1);
    EXPECT_EQ(db.permissionGroups.count(), 0);
    EXPECT_TRUE(saveConfiguration(db, dir.path()).empty());
    EXPECT_EQ(fs::last_write_time(dir / "QTR0007.DAT"), before);
    EXPECT_FALSE(fs::exists(dir / "QTR0008.DAT"));
}

TEST(Lifecycle, AFileThatFailedToLoadSurvivesTheSaveAtExitAsBackup) {
    test::TempDir dir;
    std::vector<std::uint8_t> broken(KeyHolderRecord::kSize * 2 + 10, 0x33);
    test::writeBytes(dir / "QTR0002.DAT", broken);

    ConfigurationDatabase db;
    EXPECT_TRUE(initialiseConfiguration(db, dir.path()).empty());
    const auto errors = loadConfiguration(db, dir.path());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("QTR0002.DAT"), std::string::npos);
    EXPECT_EQ(db.keyHolders.count(), 2);

    EXPECT_TRUE(saveConfiguration(db, dir.path()).empty());
    EXPECT_EQ(fs::file_size(dir / "QTR0002.DAT"), 2 * KeyHolderRecord::kSize);
    EXPECT_EQ(test::readBytes(dir / "QTR0002.DAT.bak"), broken);
}

TEST(Lifecycle, OneBadFileDoesNotKeepTheOthersFromLoading) {
    test::TempDir dir;
    test::writeBytes(dir / "QTR0001.DAT", std::vector<std::uint8_t>(5, 1));
    GroupTable g;
    g.newRecord();
    ASSERT_TRUE(g.append());
    ASSERT_TRUE(g.save(dir / "QTR0004.DAT").ok());

    ConfigurationDatabase db;
    initialiseConfiguration(db, dir.path());
    const auto errors = loadConfiguration(db, dir.path());
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(db.groups.count(), 1);
    EXPECT_EQ(db.zones.count(), 1);
}

} // namespace
} // namespace qtr
