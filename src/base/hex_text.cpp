#include "base/hex_text.h"

#include <cctype>

namespace qtr {

int hexDigitValue(char upperCased) {
    int v = static_cast<unsigned char>(upperCased) - '0';
    if (v > 9) {
        v -= 7;
    }
    return v;
}

std::uint8_t parseHexByte(std::string_view text) {
    char hi = '0';
    char lo = '0';
    if (text.size() >= 2) {
        hi = text[0];
        lo = text[1];
    } else if (text.size() == 1) {
        lo = text[0];
    }
    const auto up = [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    };
    const int v = hexDigitValue(up(hi)) * 16 + hexDigitValue(up(lo));
    return static_cast<std::uint8_t>(v & 0xFF);
}

std::string hexByteText(std::uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

bool isHexText(std::string_view text) {
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

} // namespace qtr
