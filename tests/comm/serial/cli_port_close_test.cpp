// qtr-cli as its own process against a peer on a pseudo-terminal, run many times: the
// acknowledge the program writes last must reach the peer before the port is closed,
// or the unit keeps the event it handed over and sends it again next time.

#include "support/temp_dir.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace qtr {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::uint8_t> framed(std::vector<std::uint8_t> data) {
    unsigned sum = 0;
    for (auto b : data) {
        sum += b;
    }
    data.push_back(static_cast<std::uint8_t>(sum));
    return data;
}

struct PeerRun {
    int exitStatus = -1;
    int requests = 0;
    int acknowledges = 0; // 0xAA after the answer, read before the port was seen closed
};

// One run of qtr-cli with `args` against a fresh pseudo-terminal whose master end answers
// every request with `answer` at once. The peer holds no slave end, so it sees the port
// close (hang-up) when the program closes it; everything read before counts.
PeerRun runOnce(const std::filesystem::path& dir, const std::vector<std::string>& args,
                const std::vector<std::uint8_t>& answer) {
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        ADD_FAILURE() << "openpty failed";
        return {};
    }
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    close(slave);

    std::vector<std::string> argv = {QTR_CLI_PATH, "--dir", dir.string(), "--com2", name};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        close(master);
        std::vector<char*> c;
        for (auto& a : argv) {
            c.push_back(a.data());
        }
        c.push_back(nullptr);
        execv(c[0], c.data());
        _exit(127);
    }

    PeerRun run;
    std::vector<std::uint8_t> request;
    bool answered = false;
    bool exited = false;
    int status = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        pollfd p{master, POLLIN, 0};
        poll(&p, 1, 20);
        if ((p.revents & POLLIN) != 0) {
            std::uint8_t buf[512];
            const ssize_t n = read(master, buf, sizeof buf);
            if (n > 0) {
                for (ssize_t i = 0; i < n; ++i) {
                    if (request.empty() && answered && buf[i] == 0xAA) {
                        ++run.acknowledges;
                        continue;
                    }
                    request.push_back(buf[i]);
                    if (request.size() >= 2 && request.size() == std::size_t{request[1]} + 1u) {
                        ++run.requests;
                        request.clear();
                        answered = true;
                        (void)!write(master, answer.data(), answer.size());
                    }
                }
                continue;
            }
        }
        if (!exited) {
            exited = waitpid(pid, &status, WNOHANG) == pid;
        }
        if ((p.revents & POLLHUP) != 0) {
            if (exited) {
                break; // closed and gone: whatever reached the peer has been read
            }
            // No slave end open: not opened yet, or closed by a process still ending.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    if (!exited) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        ADD_FAILURE() << "qtr-cli did not end";
    }
    close(master);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

struct CloseCase {
    const char* what;
    std::vector<std::string> args;
    std::vector<std::uint8_t> answer;
};

TEST(CliPortClose, NoAcknowledgeIsLostWhenTheProgramClosesThePort) {
    std::vector<std::uint8_t> status(30, 0);
    status[0] = 0x0A;
    status[1] = 1;
    status[2] = 2;
    std::vector<std::uint8_t> key(18, 0);
    key[4] = 0x01;
    key[10] = 0xEF;
    key[15] = 0x10;
    const CloseCase cases[] = {
        {"status 0A", {"status", "0A"}, framed(status)},
        {"read-key 00", {"read-key", "00"}, framed(key)},
    };
    constexpr int kRuns = 200;
    test::TempDir dir;
    for (const auto& c : cases) {
        int failedRuns = 0;
        int lost = 0;
        for (int i = 0; i < kRuns; ++i) {
            const PeerRun r = runOnce(dir.path(), c.args, c.answer);
            failedRuns += r.exitStatus != 0 || r.requests != 1 ? 1 : 0;
            lost += r.acknowledges == 1 ? 0 : 1;
        }
        EXPECT_EQ(failedRuns, 0) << c.what;
        EXPECT_EQ(lost, 0) << c.what << ": acknowledges lost in " << lost << " of " << kRuns
                           << " runs";
    }
}

} // namespace
} // namespace qtr
