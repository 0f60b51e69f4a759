#include "sim/text_words.h"

#include <charconv>
#include <sstream>

namespace qtr::sim {

std::vector<std::string> splitWords(std::string_view line) {
    std::vector<std::string> w;
    std::istringstream in{std::string(line)};
    std::string s;
    while (in >> s) {
        w.push_back(s);
    }
    return w;
}

bool parseIntInRange(std::string_view text, int lo, int hi, int& out) {
    int v = 0;
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size() || v < lo || v > hi) {
        return false;
    }
    out = v;
    return true;
}

} // namespace qtr::sim
