#include "db/tables.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace qtr {
namespace {
namespace fs = std::filesystem;

std::vector<std::uint8_t> unitBytes(std::uint8_t address) {
    ControlUnitRecord u;
    u.address = address;
    u.unitName.setText("J");
    std::vector<std::uint8_t> b(ControlUnitRecord::kSize);
    u.toBytes(b);
    return b;
}

TEST(RecordFile, AWholeRecordLoadsAsExactlyOneRecord) {
    test::TempDir dir;
    test::writeBytes(dir / "QTR0001.DAT", unitBytes(5));
    ControlUnitTable t;
    ASSERT_TRUE(t.load(dir / "QTR0001.DAT").ok());
    ASSERT_EQ(t.count(), 1);
    EXPECT_EQ(t.at(1).address, 5);
    EXPECT_FALSE(fs::exists(dir / "QTR0001.DAT.bak"));
}

TEST(RecordFile, ATrailingPartialRecordKeepsTheWholeOnesReportsAndKeepsTheOriginal) {
    test::TempDir dir;
    auto bytes = unitBytes(5);
    bytes.push_back(0x42); // 690 bytes
    test::writeBytes(dir / "QTR0001.DAT", bytes);
    ControlUnitTable t;
    const FileResult r = t.load(dir / "QTR0001.DAT");
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(r.error(),
              "Soubor QTR0001.DAT je poškozen: jeho velikost 690 B není celistvým násobkem "
              "velikosti záznamu 689 B. Načteno záznamů: 1. Původní soubor je uschován jako "
              "QTR0001.DAT.bak.");
    EXPECT_EQ(test::readBytes(dir / "QTR0001.DAT.bak"), bytes);
}

TEST(RecordFile, MoreRecordsThanTheCapacityKeepTheCapacityAndTheOriginal) {
    test::TempDir dir;
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 60; ++i) {
        GroupRecord g;
        g.groupName.setText("G" + std::to_string(i));
        std::vector<std::uint8_t> b(GroupRecord::kSize);
        g.toBytes(b);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    test::writeBytes(dir / "QTR0004.DAT", bytes);
    GroupTable t;
    const FileResult r = t.load(dir / "QTR0004.DAT");
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(t.count(), 50);
    EXPECT_EQ(t.at(50).groupName.text(), "G49");
    EXPECT_NE(r.error().find("obsahuje 60 záznamů, tabulka jich pojme nejvýše 50"),
              std::string::npos)
        << r.error();
    EXPECT_EQ(test::readBytes(dir / "QTR0004.DAT.bak"), bytes);
}

TEST(RecordFile, AFileThatCannotBeReadIsAClearError) {
    test::TempDir dir;
    fs::create_directory(dir / "QTR0002.DAT");
    KeyHolderTable t;
    const FileResult r = t.load(dir / "QTR0002.DAT");
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().find("QTR0002.DAT"), std::string::npos);
    EXPECT_EQ(t.count(), 0);
}

TEST(RecordFile, SaveThenLoadIsByteIdenticalIncludingBytesAfterTextLengths) {
    test::TempDir dir;
    std::vector<std::uint8_t> bytes(3 * KeyHolderRecord::kSize);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 31 + 7);
    }
    // Keep the length bytes plausible so that nothing depends on clamping.
    for (std::size_t r = 0; r < 3; ++r) {
        bytes[r * KeyHolderRecord::kSize + 7] = 3;
    }
    test::writeBytes(dir / "QTR0002.DAT", bytes);
    KeyHolderTable t;
    ASSERT_TRUE(t.load(dir / "QTR0002.DAT").ok());
    ASSERT_TRUE(t.save(dir / "copy.DAT").ok());
    EXPECT_EQ(test::readBytes(dir / "copy.DAT"), bytes);
}

TEST(RecordFile, LoadEmptiesTheTableFirstAndKeepsThePosition) {
    test::TempDir dir;
    test::writeBytes(dir / "QTR0001.DAT", unitBytes(1));
    ControlUnitTable t;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(t.append());
    }
    ASSERT_TRUE(t.select(2));
    ASSERT_TRUE(t.load(dir / "QTR0001.DAT").ok());
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.position(), 2);
}

} // namespace
} // namespace qtr
