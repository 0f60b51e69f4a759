#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qtr {

// The program's text files are Windows-1250 with CR LF line ends.

// Each UTF-8 line becomes Windows-1250 and ends with CR LF.
std::string win1250TextFromLines(const std::vector<std::string>& utf8Lines);

// Splits raw file bytes into lines (CR LF, LF or a lone CR end a line); the lines
// stay Windows-1250. A last line without an end is kept.
std::vector<std::string> splitWin1250Lines(std::string_view bytes);

} // namespace qtr
