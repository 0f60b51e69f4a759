#include "base/text_lines.h"

#include "base/win1250.h"

namespace qtr {

std::string win1250TextFromLines(const std::vector<std::string>& utf8Lines) {
    std::string out;
    for (const auto& line : utf8Lines) {
        out += utf8ToWin1250(line);
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> splitWin1250Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) {
        lines.push_back(std::move(current));
    }
    return lines;
}

} // namespace qtr
