#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qtr::test {

// A program started as its own process, its output kept in files.
class ProgramRun {
public:
    // Starts `program` with `args`; standard output and error go to files in `dir`.
    ProgramRun(const std::string& program, const std::vector<std::string>& args,
               const std::filesystem::path& dir);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Waits for the end; the exit status, or -signal when it was killed.
    int wait();
    // SIGKILL, then waits.
    void kill();
    std::string out() const;
    std::string err() const;

private:
    int pid_ = -1;
    std::optional<int> status_;
    std::filesystem::path out_;
    std::filesystem::path err_;
};

// Runs to the end.
struct Finished {
    int status;
    std::string out;
    std::string err;
};
Finished runProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::filesystem::path& dir);

} // namespace qtr::test
