#pragma once

#include "base/file_result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

// The file the output window offers to save a report in.
inline constexpr const char* kOutputFileName = "VYSTUP.TXT";

enum class OutputFileMode { Overwrite, Append };

// Saves the lines of a report (UTF-8) as the program's text lines (Windows-1250,
// CR LF) followed by four empty lines. Overwrite replaces the file as a whole;
// Append adds them after the file's last byte. A missing file is created either way.
FileResult saveOutputFile(const std::filesystem::path& file, const std::vector<std::string>& lines,
                          OutputFileMode mode);

// A text file of the program (Windows-1250; CR LF, LF or CR) as UTF-8 lines.
FileResult readTextFileLines(const std::filesystem::path& file, std::vector<std::string>& lines);

} // namespace qtr
