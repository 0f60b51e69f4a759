#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qtr {

// The 7-byte identification key. Its text is 14 hex digits in the byte order
// 0, 6, 5, 4, 3, 2, 1, and keys are ordered the same way, so the order of keys
// is the order of their texts.
struct KeyNumber {
    static constexpr std::size_t kSize = 7;
    std::array<std::uint8_t, kSize> bytes{};

    static KeyNumber fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;

    // Parses by the stored-data rule (no validation; see parseHexByte).
    static KeyNumber parse(std::string_view text);
    std::string text() const;

    bool isZero() const;

    friend bool operator==(const KeyNumber&, const KeyNumber&) = default;
    friend std::strong_ordering operator<=>(const KeyNumber& a, const KeyNumber& b);
};

// The order in which the text form lists the bytes.
inline constexpr std::array<std::size_t, KeyNumber::kSize> kKeyTextByteOrder = {0, 6, 5, 4,
                                                                                3, 2, 1};

// True for a text an operator may type as a key: 1..14 hex digits.
bool isWellFormedKeyText(std::string_view text);

} // namespace qtr
