#include "events/protocol_log.h"

#include "base/date_time.h"
#include "base/file_io.h"
#include "base/text_lines.h"
#include "base/win1250.h"

#include <span>
#include <system_error>
#include <unistd.h>

namespace qtr {
namespace fs = std::filesystem;

namespace {

std::span<const std::uint8_t> asBytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// What the last line lacks of its end: an append cut off by a crash left it open.
std::string missingLineEnd(const fs::path& file) {
    int fd = -1;
    std::uint64_t size = 0;
    if (!openRegularFileForReading(file, fd, size)) {
        return {}; // the append itself will say what is wrong
    }
    char last = '\n';
    if (size > 0 && ::pread(fd, &last, 1, static_cast<off_t>(size - 1)) != 1) {
        last = '\n';
    }
    ::close(fd);
    return last == '\n' ? "" : last == '\r' ? "\n" : "\r\n";
}

} // namespace

std::string ProtocolLog::stamp() const {
    return formatDateTime("dd.mm.yyyy hh:nn:ss", clock_.now());
}

FileResult ProtocolLog::appendLine(std::string_view utf8Text) const {
    std::vector<std::string> lines;
    std::string text;
    if (!isPresent(file_)) {
        lines.push_back(stamp() + " *");
    } else {
        text = missingLineEnd(file_); // the line a crash cut off stays a line of its own
    }
    lines.push_back(stamp() + " " + std::string(utf8Text));
    text += win1250TextFromLines(lines);
    return appendAndSync(file_, asBytes(text));
}

FileResult ProtocolLog::clear() const {
    return writeFileAtomically(file_, win1250TextFromLines({stamp() + " #"}));
}

FileResult ProtocolLog::read(std::vector<std::string>& lines) const {
    lines.clear();
    if (!isPresent(file_)) {
        return FileResult::success();
    }
    std::vector<std::uint8_t> bytes;
    if (auto r = readWholeFile(file_, bytes); !r) {
        return r;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const auto& line : splitWin1250Lines(text)) {
        lines.push_back(win1250ToUtf8(line));
    }
    return FileResult::success();
}

} // namespace qtr
