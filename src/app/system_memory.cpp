#include "app/system_memory.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace qtr {

namespace {

std::optional<std::uint64_t> fieldKb(std::string_view text, std::string_view name) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        if (line.starts_with(name) && line.size() > name.size() && line[name.size()] == ':') {
            line.remove_prefix(name.size() + 1);
            while (!line.empty() && line.front() == ' ') {
                line.remove_prefix(1);
            }
            std::uint64_t v = 0;
            const auto r = std::from_chars(line.data(), line.data() + line.size(), v);
            if (r.ec == std::errc()) {
                return v;
            }
            return std::nullopt;
        }
        at = end + 1;
    }
    return std::nullopt;
}

} // namespace

std::optional<MemoryFigures> parseMeminfo(std::string_view text) {
    const auto total = fieldKb(text, "MemTotal");
    if (!total || *total == 0) {
        return std::nullopt;
    }
    MemoryFigures f;
    f.totalKb = *total;
    const auto available = fieldKb(text, "MemAvailable");
    const std::uint64_t free = available ? std::min(*available, *total) : 0;
    f.loadPercent = static_cast<int>(((*total - free) * 100 + *total / 2) / *total);
    return f;
}

std::optional<MemoryFigures> currentMemoryFigures() {
    std::ifstream in("/proc/meminfo");
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parseMeminfo(text.str());
}

std::string withThousandsSeparators(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += ' ';
        }
        out += digits[i];
    }
    return out;
}

} // namespace qtr
