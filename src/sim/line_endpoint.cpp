#include "sim/line_endpoint.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace qtr::sim {
namespace {

bool makeRaw(int fd, speed_t speed, std::string& error) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) {
        error = std::string("tcgetattr: ") + std::strerror(errno);
        return false;
    }
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (speed != 0) {
        cfsetispeed(&t, speed);
        cfsetospeed(&t, speed);
    }
    if (tcsetattr(fd, TCSANOW, &t) != 0) {
        error = std::string("tcsetattr: ") + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace

Line::~Line() {
    if (slaveFd_ >= 0) {
        ::close(slaveFd_);
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool Line::openPseudoTerminal(std::string& error) {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0) {
        error = std::string("pseudoterminál: ") + std::strerror(errno);
        return false;
    }
    const char* name = ptsname(fd_);
    if (name == nullptr) {
        error = std::string("ptsname: ") + std::strerror(errno);
        return false;
    }
    path_ = name;
    slaveFd_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    if (slaveFd_ < 0) {
        error = std::string("pseudoterminál: ") + std::strerror(errno);
        return false;
    }
    if (!makeRaw(slaveFd_, 0, error) || !makeRaw(fd_, 0, error)) {
        return false;
    }
    return fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK) == 0;
}

bool Line::openDevice(const std::string& path, int baud, std::string& error) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    path_ = path;
    return makeRaw(fd_, baud == 2400 ? B2400 : B9600, error);
}

bool Line::readAvailable(std::string& bytes) {
    bytes.clear();
    unsigned char buf[512];
    for (;;) {
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            bytes.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EIO)) {
            // EIO: nobody has the slave open right now.
            return true;
        }
        return n == 0;
    }
}

bool Line::writeAll(const unsigned char* data, std::size_t n) {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(fd_, data + done, n - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, 50);
            continue;
        }
        return false;
    }
    return true;
}

} // namespace qtr::sim
