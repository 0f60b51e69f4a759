#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qtr::sim {

// The blank-separated words of a console or state-file line.
std::vector<std::string> splitWords(std::string_view line);

// A whole decimal number within lo..hi; false for anything else.
bool parseIntInRange(std::string_view text, int lo, int hi, int& out);

} // namespace qtr::sim
