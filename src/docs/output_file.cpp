#include "docs/output_file.h"

#include "base/file_io.h"
#include "base/text_lines.h"
#include "base/win1250.h"

#include <span>

namespace qtr {

FileResult saveOutputFile(const std::filesystem::path& file, const std::vector<std::string>& lines,
                          OutputFileMode mode) {
    const std::string text = win1250TextFromLines(lines) + "\r\n\r\n\r\n\r\n";
    if (mode == OutputFileMode::Overwrite) {
        return writeFileAtomically(file, text);
    }
    return appendAndSync(
        file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

FileResult readTextFileLines(const std::filesystem::path& file, std::vector<std::string>& lines) {
    lines.clear();
    std::vector<std::uint8_t> bytes;
    if (FileResult r = readWholeFile(file, bytes); !r) {
        return r;
    }
    const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const std::string& line : splitWin1250Lines(raw)) {
        lines.push_back(win1250ToUtf8(line));
    }
    return FileResult::success();
}

} // namespace qtr
