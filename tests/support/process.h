#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace qtr::test {

// A program run to its end (or to the kill a test arranged) as a separate process.
struct ProcessResult {
    int exitCode = -1;     // when it exited
    int signal = 0;        // when a signal ended it
    bool timedOut = false; // killed because it ran past the time-out
    std::string out;
    std::string err;
};

struct ProcessOptions {
    std::vector<std::string> environment; // "NAME=value", added to the test's own
    std::chrono::milliseconds timeout{30000};
    std::optional<std::chrono::microseconds> killAfter; // SIGKILL at this moment
    std::optional<uid_t> user;                          // run as this user (tests run as root)
};

// Runs argv[0] with the arguments; standard input is /dev/null.
ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// The unprivileged user a test run as root lends its processes, so that file modes
// mean something to them.
inline constexpr uid_t kNobody = 65534;

} // namespace qtr::test
