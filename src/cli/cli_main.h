#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qtr::cli {

// Parses the global options and runs one command; returns the exit status.
// Separate from main() so that tests run the whole command line in-process.
int runCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);

} // namespace qtr::cli
