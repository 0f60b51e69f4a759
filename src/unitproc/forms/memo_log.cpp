#include "unitproc/forms/memo_log.h"

#include "ui/qt_text.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <algorithm>

namespace qtr {

void MemoLog::addLine(const std::string& addition) {
    for (const auto& line : shownLines(addition)) {
        memo_->appendPlainText(ui::toQ(line));
    }
}

void MemoLog::setProgressMaximum(int maximum) {
    if (progress_ != nullptr) {
        // A maximum of 0 would show the bar as busy for ever.
        progress_->setRange(0, std::max(maximum, 1));
    }
}

void MemoLog::setProgress(int position) {
    if (progress_ != nullptr) {
        progress_->setValue(position);
    }
}

std::vector<std::string> memoLines(const QPlainTextEdit* memo) {
    std::vector<std::string> lines;
    if (memo->document()->isEmpty()) {
        return lines;
    }
    for (const QString& l : memo->toPlainText().split(u'\n')) {
        lines.push_back(ui::fromQ(l));
    }
    return lines;
}

} // namespace qtr
