#include "comm/packet.h"

#include <algorithm>

namespace qtr {

int commandIndex(std::uint8_t code) {
    for (std::size_t i = 0; i < kCommandTable.size(); ++i) {
        if (kCommandTable[i].code == code) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

std::uint8_t requestLength(std::uint8_t code) {
    const int i = commandIndex(code);
    return i == 0 ? 0 : kCommandTable[static_cast<std::size_t>(i - 1)].requestLength;
}

std::uint16_t answerLength(std::uint8_t code) {
    const int i = commandIndex(code);
    return i == 0 ? 0 : kCommandTable[static_cast<std::size_t>(i - 1)].answerLength;
}

std::uint8_t byteSum(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (const std::uint8_t b : bytes) {
        sum += b;
    }
    return static_cast<std::uint8_t>(sum);
}

void completeChecksum(TxPacket& packet) {
    const std::size_t l = packet[1];
    packet[l] = byteSum(std::span(packet).first(l));
}

std::uint8_t startRequest(TxPacket& packet, std::uint8_t address, std::uint8_t code) {
    const std::uint8_t l = requestLength(code);
    if (l == 0) {
        return 0;
    }
    std::fill(packet.begin(), packet.begin() + l + 1, std::uint8_t{0});
    packet[0] = address;
    packet[1] = l;
    packet[2] = code;
    return l;
}

std::span<const std::uint8_t> requestBytes(const TxPacket& packet) {
    return std::span(packet).first(std::size_t{packet[1]} + 1);
}

} // namespace qtr
