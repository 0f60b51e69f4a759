#pragma once

#include "base/file_result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

// Every report is written here and shown in the output window from here.
inline constexpr const char* kWorkFileName = "QTR_WORK.RTF";

std::filesystem::path workFilePath(const std::filesystem::path& dir);

// Replaces the work file in `dir` with the report's UTF-8 lines, as the program's text
// files are kept: Windows-1250, each line ending with CR LF.
FileResult writeWorkFile(const std::filesystem::path& dir, const std::vector<std::string>& lines);

} // namespace qtr
