#pragma once

#include "cli/cli_context.h"

#include <string>
#include <string_view>
#include <vector>

namespace qtr::cli {

// A report or list of a command: UTF-8 lines with LF on standard output, or with --out
// the program's own text file (Windows-1250, CR LF), byte for byte what the window writes.
int emitLines(CliContext& ctx, const std::vector<std::string>& lines);

// UTF-8 text padded with blanks to a number of characters (not bytes): on the right
// (left-aligned) or on the left (right-aligned). A longer text stays whole.
std::string padRight(std::string_view utf8, std::size_t width);
std::string padLeft(std::string_view utf8, std::size_t width);

} // namespace qtr::cli
