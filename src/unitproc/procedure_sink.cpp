#include "unitproc/procedure_sink.h"

namespace qtr {

std::vector<std::string> shownLines(const std::string& addition) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = addition.find("\r\n", start);
        if (end == std::string::npos) {
            out.push_back(addition.substr(start));
            return out;
        }
        out.push_back(addition.substr(start, end - start));
        start = end + 2;
    }
}

void LogLines::addLine(const std::string& line) {
    for (auto& l : shownLines(line)) {
        lines.push_back(std::move(l));
    }
}

} // namespace qtr
