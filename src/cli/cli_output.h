#pragma once

#include "cli/cli_context.h"

#include <string>
#include <vector>

namespace qtr::cli {

// The one way a command hands out a report or list: UTF-8 lines with LF on standard
// output; with --out the program's own text file instead (Windows-1250, CR LF, byte
// for byte what the window writes); with --pdf a PDF laid out as the output window
// prints it (both options may be given together).
int emitLines(CliContext& ctx, const std::vector<std::string>& lines);

} // namespace qtr::cli
