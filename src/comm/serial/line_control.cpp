#include "comm/serial/line_control.h"

#include <cerrno>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace qtr::line {

ParityBit parityInForce(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return ParityBit::Other;
    }
    if ((tio.c_cflag & PARENB) == 0) {
        return ParityBit::None;
    }
    if ((tio.c_cflag & CMSPAR) == 0) {
        return ParityBit::Other;
    }
    return (tio.c_cflag & PARODD) != 0 ? ParityBit::Mark : ParityBit::Space;
}

bool isPseudoTerminal(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) {
        return false;
    }
    // Unix98 pseudo-terminal slaves use the majors 136..143.
    const unsigned m = major(st.st_rdev);
    return m >= 136 && m <= 143;
}

bool isTerminal(int fd) {
    return isatty(fd) == 1;
}

bool drainOutput(int fd) {
    while (tcdrain(fd) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

void sleepAtLeast(std::chrono::microseconds duration) {
    const auto until = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_until(until);
    }
}

void clearStickParity(int fd) {
    termios t{};
    if (::tcgetattr(fd, &t) == 0 && (t.c_cflag & CMSPAR) != 0) {
        t.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
        ::tcsetattr(fd, TCSANOW, &t);
    }
}

} // namespace qtr::line
