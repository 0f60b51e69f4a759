#include "base/key_number.h"

#include "base/hex_text.h"

#include <algorithm>

namespace qtr {

KeyNumber KeyNumber::fromBytes(std::span<const std::uint8_t> in) {
    KeyNumber k;
    std::copy_n(in.begin(), kSize, k.bytes.begin());
    return k;
}

void KeyNumber::toBytes(std::span<std::uint8_t> out) const {
    std::copy(bytes.begin(), bytes.end(), out.begin());
}

KeyNumber KeyNumber::parse(std::string_view text) {
    KeyNumber k;
    std::size_t pos = 0;
    for (std::size_t index : kKeyTextByteOrder) {
        const std::string_view part = pos < text.size() ? text.substr(pos, 2) : std::string_view{};
        k.bytes[index] = parseHexByte(part);
        pos += 2;
    }
    return k;
}

std::string KeyNumber::text() const {
    std::string s;
    s.reserve(2 * kSize);
    for (std::size_t index : kKeyTextByteOrder) {
        s += hexByteText(bytes[index]);
    }
    return s;
}

bool KeyNumber::isZero() const {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

std::strong_ordering operator<=>(const KeyNumber& a, const KeyNumber& b) {
    for (std::size_t index : kKeyTextByteOrder) {
        if (a.bytes[index] != b.bytes[index]) {
            return a.bytes[index] <=> b.bytes[index];
        }
    }
    return std::strong_ordering::equal;
}

bool isWellFormedKeyText(std::string_view text) {
    return !text.empty() && text.size() <= 2 * KeyNumber::kSize && isHexText(text);
}

} // namespace qtr
