#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace qtr::test {

// A program run to its end, or to the kill a test arranged.
struct ProcessOutcome {
    int status = -1;       // the exit status; -1 when the process did not exit normally
    int signal = 0;        // the signal that ended it, 0 when it exited
    bool timedOut = false; // killed because it ran past the time-out
    std::string out;
    std::string err;
};

// Variables of the test's own environment set (a value) or removed (nullopt) for the child.
using Environment = std::map<std::string, std::optional<std::string>>;

struct ProcessOptions {
    Environment environment;
    std::chrono::milliseconds timeout{60000};
    std::optional<std::chrono::microseconds> killAfter; // SIGKILL at this moment
    std::optional<uid_t> user;                          // run as this user (tests run as root)
};

// Runs a program (argv[0] is its path) with its standard output and error captured and
// standard input from /dev/null.
ProcessOutcome runProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});
inline ProcessOutcome runProcess(const std::vector<std::string>& argv,
                                 const Environment& environment) {
    ProcessOptions options;
    options.environment = environment;
    return runProcess(argv, options);
}

// The unprivileged user a test run as root lends its processes, so that file modes
// mean something to them.
inline constexpr uid_t kNobody = 65534;

} // namespace qtr::test
