#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qtr::sim {

// A partial request older than this (no byte for so long) is dropped. A loaded PC
// may send the rest of a request well after its address byte, and a PC whose
// request went unanswered waits 2000 ms before the next one, so a second leaves
// room for the first and resyncs before the second.
inline constexpr double kStaleFrameMs = 1000.0;
// How long a lone 0xAA after a data answer may still turn out to be the address
// byte of a request to unit 0xAA.
inline constexpr double kAcknowledgeDecisionMs = 20.0;

// Cuts the byte stream from the PC into requests. A line without parity (a
// pseudo-terminal, a plain serial adapter) does not mark the address byte, so a
// request is framed by its length byte: address, L, then L - 1 more bytes. After
// a data answer the next byte 0xAA is its acknowledge, unless it begins a
// complete request to unit 0xAA (known command, its length, right checksum).
class RequestFramer {
public:
    struct Item {
        enum class Kind { Request, Acknowledge, Dropped };
        Kind kind;
        std::vector<std::uint8_t> bytes;
    };

    // A data answer went out: the next 0xAA may be its acknowledge.
    void expectAcknowledge() { acknowledgeExpected_ = true; }
    bool acknowledgeExpected() const { return acknowledgeExpected_; }

    void push(std::span<const std::uint8_t> bytes, double nowMs);
    // Whatever is complete, decided or stale by now, in line order.
    std::vector<Item> take(double nowMs);
    // When take() has something to decide without new bytes.
    std::optional<double> deadline() const;

private:
    bool completeRequestToAckAddress() const;
    bool mayStillBeRequest() const;

    std::vector<std::uint8_t> buffer_;
    double lastByteMs_ = 0.0;
    bool acknowledgeExpected_ = false;
};

} // namespace qtr::sim
