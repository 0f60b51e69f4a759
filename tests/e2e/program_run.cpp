#include "e2e/program_run.h"

#include "support/temp_dir.h"

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace qtr::test {

ProgramRun::ProgramRun(const std::string& program, const std::vector<std::string>& args,
                       const std::filesystem::path& dir)
    : out_(dir / "run.out"), err_(dir / "run.err") {
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
}

ProgramRun::~ProgramRun() {
    if (pid_ > 0 && !status_) {
        kill();
    }
}

int ProgramRun::wait() {
    if (!status_ && pid_ > 0) {
        int s = 0;
        ::waitpid(pid_, &s, 0);
        status_ = WIFEXITED(s) ? WEXITSTATUS(s) : -WTERMSIG(s);
    }
    return status_.value_or(-1000);
}

void ProgramRun::kill() {
    if (pid_ > 0 && !status_) {
        ::kill(pid_, SIGKILL);
    }
    wait();
}

std::string ProgramRun::out() const {
    return readText(out_);
}

std::string ProgramRun::err() const {
    return readText(err_);
}

Finished runProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::filesystem::path& dir) {
    ProgramRun run(program, args, dir);
    const int status = run.wait();
    return {status, run.out(), run.err()};
}

} // namespace qtr::test
