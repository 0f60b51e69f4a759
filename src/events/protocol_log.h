#pragma once

#include "base/clock.h"
#include "base/file_result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qtr {

inline constexpr const char* kProtocolLogFile = "protokol.txt";

// The operator's protocol log: one line per program start, end and big system
// action, each "dd.mm.yyyy hh:nn:ss" of local time, a blank and the text
// (Windows-1250, CR LF). A log created by an append begins with the marker
// line "<time> *"; a cleared log holds only "<time> #".
class ProtocolLog {
public:
    ProtocolLog(std::filesystem::path file, const Clock& clock)
        : file_(std::move(file)), clock_(clock) {}

    const std::filesystem::path& file() const { return file_; }

    // AppendProtocolLine: the line reaches the disk before this returns. The
    // clock is read anew for each line written.
    FileResult appendLine(std::string_view utf8Text) const;

    // ClearProtocolLog: the log is replaced by the single marker line.
    FileResult clear() const;

    // ReadProtocolLog: the lines of the log in order, as UTF-8; none when it does not exist.
    FileResult read(std::vector<std::string>& lines) const;

private:
    std::string stamp() const;

    std::filesystem::path file_;
    const Clock& clock_;
};

} // namespace qtr
