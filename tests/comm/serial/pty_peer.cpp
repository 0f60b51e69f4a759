#include "comm/serial/pty_peer.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace qtr::test {
namespace {

PtyPeer::Parity parityNow(int fd) {
    termios tio{};
    // The master side reports the settings of the slave, which the program set.
    if (tcgetattr(fd, &tio) != 0 || (tio.c_cflag & CMSPAR) == 0) {
        return PtyPeer::Parity::Other;
    }
    return (tio.c_cflag & PARODD) != 0 ? PtyPeer::Parity::Mark : PtyPeer::Parity::Space;
}

} // namespace

std::vector<std::uint8_t> framedAnswer(std::vector<std::uint8_t> data) {
    unsigned sum = 0;
    for (auto b : data) {
        sum += b;
    }
    data.push_back(static_cast<std::uint8_t>(sum));
    return data;
}

PtyPeer::PtyPeer() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    device_ = name;
    thread_ = std::thread([this] { run(); });
}

PtyPeer::~PtyPeer() {
    stop_ = true;
    thread_.join();
    close(master_);
    close(slave_);
}

void PtyPeer::addReply(Reply reply) {
    std::lock_guard lock(mutex_);
    replies_.push_back(std::move(reply));
}

std::vector<PtyPeer::Received> PtyPeer::received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<std::vector<std::uint8_t>> PtyPeer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

int PtyPeer::acknowledges() const {
    std::lock_guard lock(mutex_);
    int n = 0;
    for (const auto& r : received_) {
        n += r.acknowledge ? 1 : 0;
    }
    return n;
}

PtyPeer::Clock::time_point PtyPeer::lastReplyByteAt() const {
    std::lock_guard lock(mutex_);
    return lastReplyByteAt_;
}

void PtyPeer::run() {
    std::vector<std::uint8_t> request;
    bool replied = false;
    while (!stop_) {
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, 5) <= 0 || (p.revents & POLLIN) == 0) {
            continue;
        }
        std::uint8_t buf[1024];
        const ssize_t n = read(master_, buf, sizeof buf);
        if (n <= 0) {
            continue;
        }
        const auto at = Clock::now();
        const Parity parity = parityNow(master_);
        Reply reply;
        bool haveReply = false;
        {
            std::lock_guard lock(mutex_);
            for (ssize_t i = 0; i < n; ++i) {
                const std::uint8_t b = buf[i];
                const bool ack = request.empty() && replied && b == 0xAA;
                received_.push_back({at, b, parity, ack});
                if (ack) {
                    replied = false;
                    continue;
                }
                request.push_back(b);
                if (request.size() >= 2 && request.size() == std::size_t{request[1]} + 1) {
                    requests_.push_back(request);
                    request.clear();
                    replied = false;
                    if (!replies_.empty()) {
                        reply = std::move(replies_.front());
                        replies_.pop_front();
                        haveReply = true;
                    }
                }
            }
        }
        if (!haveReply) {
            continue;
        }
        for (const auto& piece : reply) {
            std::this_thread::sleep_for(piece.delay);
            std::size_t done = 0;
            while (done < piece.bytes.size()) {
                const ssize_t w =
                    write(master_, piece.bytes.data() + done, piece.bytes.size() - done);
                if (w < 0 && errno != EINTR && errno != EAGAIN) {
                    break;
                }
                done += w > 0 ? static_cast<std::size_t>(w) : 0;
            }
            std::lock_guard lock(mutex_);
            lastReplyByteAt_ = Clock::now();
        }
        replied = !reply.empty();
        std::this_thread::sleep_for(pauseAfterReply_);
    }
}

} // namespace qtr::test
