#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qtr::test {

// The far end of a pseudo-terminal pair: frames the requests it gets by their length
// byte, answers each with the next scripted reply and records every byte it saw with
// its time and the parity the near end had set at that moment.
class PtyPeer {
public:
    using Clock = std::chrono::steady_clock;

    enum class Parity { Mark, Space, Other };

    struct Received {
        Clock::time_point at;
        std::uint8_t byte;
        Parity parity;
        bool acknowledge; // 0xAA after a reply, outside a request
    };

    // One reply: pieces written after their delays (from the end of the request).
    struct Piece {
        std::chrono::milliseconds delay;
        std::vector<std::uint8_t> bytes;
    };
    using Reply = std::vector<Piece>; // empty: stay silent

    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    // The device the program opens.
    const std::string& device() const { return device_; }

    void addReply(Reply reply);
    // The peer reads nothing for this long after each reply: what the program writes
    // meanwhile waits in the line (set before the first request).
    void setPauseAfterReply(std::chrono::milliseconds pause) { pauseAfterReply_ = pause; }
    std::vector<Received> received() const;
    std::vector<std::vector<std::uint8_t>> requests() const;
    int acknowledges() const;
    // When the last byte of the last reply went out.
    Clock::time_point lastReplyByteAt() const;

private:
    void run();

    int master_ = -1;
    int slave_ = -1;
    std::string device_;
    std::atomic<bool> stop_{false};
    std::chrono::milliseconds pauseAfterReply_{0};
    mutable std::mutex mutex_;
    std::deque<Reply> replies_;
    std::vector<Received> received_;
    std::vector<std::vector<std::uint8_t>> requests_;
    Clock::time_point lastReplyByteAt_{};
    std::thread thread_;
};

// A data answer: the bytes and their checksum.
std::vector<std::uint8_t> framedAnswer(std::vector<std::uint8_t> data);

} // namespace qtr::test
