#pragma once

#include "cli/cli_context.h"

#include <string>
#include <vector>

namespace qtr::cli {

// A report or list of a command: UTF-8 lines with LF on standard output, or with --out
// the program's own text file (Windows-1250, CR LF), byte for byte what the window writes.
int emitLines(CliContext& ctx, const std::vector<std::string>& lines);

} // namespace qtr::cli
