// The Windows-1250 line splitter and the code page conversions.
#include "base/text_lines.h"
#include "base/win1250.h"
#include "fuzz_support.h"

#include <string>

using qtr::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Every byte of the code page survives a trip through UTF-8.
    const std::string utf8 = qtr::win1250ToUtf8(bytes);
    check(qtr::utf8ToWin1250(utf8) == bytes);
    check(qtr::utf8Length(utf8) == size);

    // Lines hold no line ends, and together with their ends they are the text.
    const auto lines = qtr::splitWin1250Lines(bytes);
    std::size_t content = 0;
    for (const auto& line : lines) {
        check(line.find('\r') == std::string::npos && line.find('\n') == std::string::npos);
        content += line.size();
    }
    std::size_t ends = 0;
    for (char c : bytes) {
        ends += c == '\r' || c == '\n' ? 1 : 0;
    }
    check(content + ends == size);

    // Any text, even malformed UTF-8, becomes bytes of the code page and back.
    const std::string win = qtr::utf8ToWin1250(bytes);
    check(qtr::utf8ToWin1250(qtr::win1250ToUtf8(win)) == win);
    const auto again = qtr::splitWin1250Lines(qtr::win1250TextFromLines(lines));
    check(again.size() == lines.size() || lines.empty());
    return 0;
}
