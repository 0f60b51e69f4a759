#pragma once

#include "cli/cli_main.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace qtr::test {

// What one qtr-cli run printed and returned.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// Runs qtr-cli in-process with the arguments that follow the program's name.
inline CliRun runQtrCli(std::vector<std::string> args) {
    args.insert(args.begin(), "qtr-cli");
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::runCli(args, out, err);
    return {status, out.str(), err.str()};
}

// The same on a data directory ("--dir DIR" first).
inline CliRun runQtrCli(const std::filesystem::path& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--dir", dir.string()});
    return runQtrCli(std::move(args));
}

} // namespace qtr::test
