#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qtr {

// Value of one hex digit by the stored-data rule: code minus '0', and 7 more
// when that exceeds 9. Nothing is validated; a non-digit gives whatever the rule gives.
int hexDigitValue(char upperCased);

// A byte from the next two characters of a text (upper-cased first); fewer than
// two characters are padded with '0' on the left. Used for unit addresses,
// types, masks and key numbers.
std::uint8_t parseHexByte(std::string_view text);

// Exactly two upper-case hex digits: the form of every address, type and mask.
std::string hexByteText(std::uint8_t value);

// True when the text is made of hex digits only (either case).
bool isHexText(std::string_view text);

} // namespace qtr
