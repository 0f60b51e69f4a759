#pragma once

#include <string>
#include <vector>

namespace qtr {

// Where a long unit procedure reports: the lines of its log and its progress. The window
// shows them in its memo and progress bar, qtr-cli prints them, tests keep them.
class ProcedureSink {
public:
    virtual ~ProcedureSink() = default;
    // One addition to the log, as the memo takes it: a line that begins with "\r\n"
    // (a closing line such as "\r\nHotovo! ") is preceded by an empty line.
    virtual void addLine(const std::string& line) = 0;
    virtual void setProgressMaximum(int) {}
    virtual void setProgress(int) {}
};

// Keeps the log lines, split at "\r\n" as the memo shows them.
class LogLines final : public ProcedureSink {
public:
    void addLine(const std::string& line) override;
    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgress(int position) override { progress = position; }

    std::vector<std::string> lines;
    int progressMaximum = 0;
    int progress = 0;
};

// The lines of one log addition as they are shown: "\r\nHotovo! " gives "" and "Hotovo! ".
std::vector<std::string> shownLines(const std::string& addition);

} // namespace qtr
