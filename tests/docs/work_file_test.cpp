#include "docs/work_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

TEST(WorkFile, Windows1250WithCrLfReplacingTheOldReport) {
    test::TempDir dir;
    ASSERT_TRUE(writeWorkFile(dir.path(), {"old report", "with more lines", "than the new"}));
    ASSERT_TRUE(writeWorkFile(dir.path(), {"PŘEHLED NASTAVENÍ", "", "-----"}));
    const std::vector<std::uint8_t> bytes = test::readBytes(dir / "QTR_WORK.RTF");
    const std::string expected = "P\xD8"
                                 "EHLED NASTAVEN\xCD\r\n\r\n-----\r\n";
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
}

} // namespace
} // namespace qtr
