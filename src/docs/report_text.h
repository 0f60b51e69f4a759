#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qtr {

// A line of its own that starts a new page when a report is printed (a form feed),
// as between the reports of several people in one printout.
inline constexpr const char* kPageBreak = "\f";

// Column helpers of the plain-text reports, counting characters, not bytes, of
// UTF-8 texts.

// The text cut to its first `width` characters or padded with blanks on the right
// to exactly `width` ("%-w.ws"): keeps the next column of a fixed-pitch report in place.
std::string padRight(std::string_view utf8, std::size_t width);

// The text cut to its first `width` characters and aligned right within `width`
// blanks ("%w.ws"), for the numbers of a column.
std::string padLeft(std::string_view utf8, std::size_t width);

} // namespace qtr
