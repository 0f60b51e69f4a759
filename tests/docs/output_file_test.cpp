#include "docs/output_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

const std::string kFourEmpty = "\r\n\r\n\r\n\r\n";

void writeText(const std::filesystem::path& file, const std::string& bytes) {
    test::writeBytes(file, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

TEST(OutputFile, LinesThenFourEmptyLinesOverwrittenAppendedOrCreated) {
    test::TempDir dir;
    const auto file = dir / "VYSTUP.TXT";
    // Appending to a file that is not there creates it.
    ASSERT_TRUE(saveOutputFile(file, {"Přehled", "a"}, OutputFileMode::Append));
    EXPECT_EQ(test::readText(file), "P\xF8"
                                    "ehled\r\na\r\n" +
                                        kFourEmpty);

    // Appending goes after the last byte, even one without a line end.
    writeText(file, "starý obsah bez konce");
    ASSERT_TRUE(saveOutputFile(file, {"nový"}, OutputFileMode::Append));
    EXPECT_EQ(test::readText(file), "starý obsah bez konce"
                                    "nov\xFD\r\n" +
                                        kFourEmpty);

    ASSERT_TRUE(saveOutputFile(file, {"", "x"}, OutputFileMode::Overwrite));
    EXPECT_EQ(test::readText(file), "\r\nx\r\n" + kFourEmpty);
    ASSERT_TRUE(saveOutputFile(file, {}, OutputFileMode::Overwrite));
    EXPECT_EQ(test::readText(file), kFourEmpty);
}

TEST(OutputFile, AFileThatCannotBeWrittenIsACzechFailureAndChangesNothing) {
    test::TempDir dir;
    for (const OutputFileMode mode : {OutputFileMode::Overwrite, OutputFileMode::Append}) {
        const FileResult r = saveOutputFile(dir.path(), {"x"}, mode);
        EXPECT_FALSE(r);
        EXPECT_NE(r.error().find(dir.path().filename().string()), std::string::npos) << r.error();
        const FileResult missing = saveOutputFile(dir / "chybí" / "VYSTUP.TXT", {"x"}, mode);
        EXPECT_FALSE(missing);
    }
}

TEST(OutputFile, TextLinesReadBackWhateverTheLineEnds) {
    test::TempDir dir;
    writeText(dir / "t.txt", "P\xF8\xA0"
                             "a\r\nb\nc\r\r\nposledni bez konce");
    std::vector<std::string> lines;
    ASSERT_TRUE(readTextFileLines(dir / "t.txt", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"Př\u00A0a", "b", "c", "", "posledni bez konce"}));
    EXPECT_FALSE(readTextFileLines(dir / "nic.txt", lines));
    EXPECT_TRUE(lines.empty());
}

} // namespace
} // namespace qtr
