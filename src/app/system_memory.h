#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qtr {

// What the about box tells of the machine's memory.
struct MemoryFigures {
    std::uint64_t totalKb = 0; // physical memory
    int loadPercent = 0;       // share in use, 0..100
};

// From the text of /proc/meminfo: MemTotal, and the load as the part not available.
std::optional<MemoryFigures> parseMeminfo(std::string_view text);
// The figures of this machine now; nothing when the system does not tell.
std::optional<MemoryFigures> currentMemoryFigures();

// 16318004 -> "16 318 004": groups of three digits separated by blanks.
std::string withThousandsSeparators(std::uint64_t value);

} // namespace qtr
