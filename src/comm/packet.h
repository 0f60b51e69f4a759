#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace qtr {

// The request buffer of a transaction: address, L, command, payload, checksum at index L.
inline constexpr std::size_t kTxPacketSize = 512;
using TxPacket = std::array<std::uint8_t, kTxPacketSize>;

// The largest block a unit may send as one answer.
inline constexpr std::size_t kMaxAnswerBlock = 512;

// The acknowledge byte the PC sends after a correct data answer; also the unit's "accepted".
inline constexpr std::uint8_t kAcknowledgeByte = 0xAA;

// Transport statuses that are not unit replies.
inline constexpr std::uint8_t kResComNoAnswer = 0x01;
inline constexpr std::uint8_t kResComAccepted = 0xAA;
inline constexpr std::uint8_t kResComBadChecksum = 0xC0;

// Command codes the program sends.
enum CommandCode : std::uint8_t {
    kCmdConfigure = 0x80,
    kCmdStoreRight = 0x81,
    kCmdSetClock = 0x83,
    kCmdReadEventBlock = 0x84,
    kCmdReset = 0x85,
    kCmdLock = 0x86,
    kCmdReadStatus = 0x8A,
    kCmdRelayMask = 0x8B,
    kCmdAlarmMask = 0x8C,
    kCmdReadNextEvent = 0x8E,
};

struct CommandInfo {
    std::uint8_t code;
    std::uint8_t requestLength; // L: index of the checksum byte in the request
    std::uint16_t answerLength; // N: data bytes of the answer, 1 = one status byte
};

// Every command the units know, in table order (index 1..17).
inline constexpr std::array<CommandInfo, 17> kCommandTable = {{
    {0x80, 19, 1},
    {0x81, 16, 1},
    {0x82, 11, 1},
    {0x83, 10, 1},
    {0x84, 3, 302},
    {0x85, 3, 1},
    {0x86, 3, 1},
    {0x87, 16, 1},
    {0x88, 3, 260},
    {0x89, 12, 1},
    {0x8A, 3, 30},
    {0x8B, 4, 1},
    {0x8C, 4, 1},
    {0x8D, 3, 1},
    {0x8E, 3, 18},
    {0x8F, 11, 1},
    {0x90, 11, 1},
}};

// 1..17, or 0 when the code is not in the table.
int commandIndex(std::uint8_t code);
// L of the command, 0 for an unknown code.
std::uint8_t requestLength(std::uint8_t code);
// N of the command, 0 for an unknown code.
std::uint16_t answerLength(std::uint8_t code);

// Sum of the bytes modulo 256.
std::uint8_t byteSum(std::span<const std::uint8_t> bytes);

// Writes the sum of bytes 0..L-1 at index L, L being byte 1 of the packet.
void completeChecksum(TxPacket& packet);

// Starts a request: address, L of the command, the command code; the payload bytes are
// zero until the caller fills them. Returns L (0 for an unknown code, then nothing is set).
std::uint8_t startRequest(TxPacket& packet, std::uint8_t address, std::uint8_t code);

// The bytes that go on the line: 0..L.
std::span<const std::uint8_t> requestBytes(const TxPacket& packet);

} // namespace qtr
