#pragma once

#include "comm/packet.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace qtr {

inline constexpr std::size_t kEventAnswerSize = 302;
inline constexpr std::size_t kUnitStatusSize = 30;
// The status answer also comes in a long form: 260 data bytes and their checksum.
inline constexpr std::size_t kLongStatusAnswerSize = 260;
inline constexpr std::size_t kRawEventItemSize = 14;
inline constexpr std::size_t kFirstEventItemOffset = 4;
inline constexpr std::size_t kMaxEventItems = 21;

// What the last answers left: overwritten by each answer of their kind.
struct AnswerAreas {
    // Data bytes (no checksum) of the last 0x8E or 0x84 answer, zero beyond what came.
    std::array<std::uint8_t, kEventAnswerSize> eventAnswer{};
    // Leading non-empty event items in eventAnswer.
    std::uint8_t eventCount = 0;
    // Data bytes of the last 0x8A answer.
    std::array<std::uint8_t, kUnitStatusSize> unitStatus{};
};

// The item of 14 bytes carries nothing: zero key, a time stamp that is zero, negative
// or exactly 1 January 2000 00:00:00 (0x210000), and zero code bytes.
bool isEmptyEventItem(std::span<const std::uint8_t, kRawEventItemSize> item);

// Items before the first empty one, at most 21, items of 14 bytes from byte 4.
std::uint8_t countEventItems(std::span<const std::uint8_t, kEventAnswerSize> answer);

// The transport's status of a received block, as the receiving side decides it:
// a one-byte command takes the unit's reply byte; a data answer is 0xAA when the block
// holds at least N + 1 bytes and byte N is the sum of bytes 0..N-1, otherwise 0xC0.
// The long status answer (N = 30, a block of 261 bytes) carries its sum in byte 260.
std::uint8_t transportStatus(std::uint16_t expectedAnswerLength, const std::uint8_t* block,
                             std::size_t count);

// The verdict on one delivery for the request in `request`: block null means time-out
// (resCom then names the reason, normally 0x01). Fills the answer areas as the kind of
// answer asks and returns the error text, empty for success.
std::string judgeAnswer(const TxPacket& request, const std::uint8_t* block, std::size_t count,
                        std::uint8_t resCom, AnswerAreas& areas);

} // namespace qtr
