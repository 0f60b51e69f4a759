#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Windows-1250, the code page of every text the program stores or exchanges.
// The API speaks UTF-8; files and records hold Windows-1250 bytes.
//
// The five byte values the code page leaves undefined (0x81, 0x83, 0x88, 0x90,
// 0x98) decode to the C1 control characters of the same number, so every byte
// survives a round trip through text.
namespace qtr {

// Byte to Unicode code point.
char32_t win1250ToCodePoint(std::uint8_t byte);

// Code point to byte; '?' for a character the code page lacks.
std::uint8_t codePointToWin1250(char32_t cp);

// Whole texts. Malformed UTF-8 sequences become '?'.
std::string win1250ToUtf8(std::string_view bytes);
std::string utf8ToWin1250(std::string_view utf8);

// Number of characters (code points) in a UTF-8 text.
std::size_t utf8Length(std::string_view utf8);

// Column helpers of the plain-text reports, counting characters, not bytes.

// The text cut to its first `width` characters or padded with blanks on the right
// to exactly `width` ("%-w.ws"): keeps the next column of a fixed-pitch report in place.
std::string padRight(std::string_view utf8, std::size_t width);

// The text cut to its first `width` characters and aligned right within `width`
// blanks ("%w.ws"), for the numbers of a column.
std::string padLeft(std::string_view utf8, std::size_t width);

} // namespace qtr
