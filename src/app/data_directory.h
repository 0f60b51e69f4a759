#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

// What every program does first with its data directory: a master-key change cut off
// by a crash is finished or rolled back, and the temporary files of saves that were
// killed half way are removed. Returns Czech notes of what was done, for the operator.
std::vector<std::string> openDataDirectory(const std::filesystem::path& dir);

} // namespace qtr
