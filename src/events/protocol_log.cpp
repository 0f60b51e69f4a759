#include "events/protocol_log.h"

#include "base/date_time.h"
#include "base/file_io.h"
#include "base/text_lines.h"
#include "base/win1250.h"

#include <span>
#include <system_error>

namespace qtr {
namespace fs = std::filesystem;

namespace {

std::span<const std::uint8_t> asBytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

} // namespace

std::string ProtocolLog::stamp() const {
    return formatDateTime("dd.mm.yyyy hh:nn:ss", clock_.now());
}

FileResult ProtocolLog::appendLine(std::string_view utf8Text) const {
    std::vector<std::string> lines;
    if (!isPresent(file_)) {
        lines.push_back(stamp() + " *");
    }
    lines.push_back(stamp() + " " + std::string(utf8Text));
    return appendAndSync(file_, asBytes(win1250TextFromLines(lines)));
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
