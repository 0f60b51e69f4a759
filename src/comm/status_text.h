#pragma once

#include <cstdint>
#include <string_view>

namespace qtr {

// Text of a unit's one-byte reply or of the transport status; "???" for an unknown code.
std::string_view statusText(std::uint8_t code);

// What the transport's own checksum failure of a data answer reads.
inline constexpr std::string_view kReceivedChecksumText = "chyba Rx-CRC";

} // namespace qtr
