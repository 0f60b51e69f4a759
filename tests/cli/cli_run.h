#pragma once

#include "cli/cli_main.h"
#include "support/temp_dir.h"

#include <sstream>
#include <string>
#include <vector>

namespace qtr::test {

// One qtr-cli command line on a data directory, run in-process.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun runCli(const TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"qtr-cli", "--dir", dir.path().string()});
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::runCli(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace qtr::test
