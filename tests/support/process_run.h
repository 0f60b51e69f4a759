#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qtr::test {

struct ProcessOutcome {
    int status = -1; // the exit status; -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Runs a program (argv[0] is its path) to its end with its standard output and error
// captured. `environment` sets (a value) or removes (nullopt) variables of the test's own
// environment for the child only.
ProcessOutcome
runProcess(const std::vector<std::string>& argv,
           const std::map<std::string, std::optional<std::string>>& environment = {});

} // namespace qtr::test
