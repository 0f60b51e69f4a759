#include "docs/report_text.h"

#include "base/win1250.h"

namespace qtr {
namespace {

// The first `width` characters of a UTF-8 text.
std::string_view firstCharacters(std::string_view utf8, std::size_t width) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte & 0xC0) != 0x80 && characters++ == width) {
            return utf8.substr(0, i);
        }
    }
    return utf8;
}

} // namespace

std::string padRight(std::string_view utf8, std::size_t width) {
    std::string text(firstCharacters(utf8, width));
    text.append(width - utf8Length(text), ' ');
    return text;
}

std::string padLeft(std::string_view utf8, std::size_t width) {
    const std::string_view kept = firstCharacters(utf8, width);
    return std::string(width - utf8Length(kept), ' ') + std::string(kept);
}

} // namespace qtr
