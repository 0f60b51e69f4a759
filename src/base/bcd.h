#pragma once

#include <cstdint>

namespace qtr {

// Tens in the high nibble, units in the low one; values above 99 (or below 0) become 0xFF.
constexpr std::uint8_t toBcd(int value) {
    if (value < 0 || value > 99) {
        return 0xFF;
    }
    return static_cast<std::uint8_t>((value / 10) << 4 | (value % 10));
}

constexpr int fromBcd(std::uint8_t bcd) {
    return (bcd >> 4) * 10 + (bcd & 0x0F);
}

} // namespace qtr
