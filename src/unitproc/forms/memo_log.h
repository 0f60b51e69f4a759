#pragma once

// Core headers are kept from moc, which cannot parse some of their C++20.
#ifndef Q_MOC_RUN
#include "unitproc/procedure_sink.h"
#endif

class QPlainTextEdit;
class QProgressBar;

namespace qtr {

// A procedure's log in a window's memo, its progress in the window's progress bar.
class MemoLog final : public ProcedureSink {
public:
    explicit MemoLog(QPlainTextEdit* memo, QProgressBar* progress = nullptr)
        : memo_(memo), progress_(progress) {}
    void addLine(const std::string& addition) override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int position) override;

private:
    QPlainTextEdit* memo_;
    QProgressBar* progress_;
};

// The memo's lines, for tests and for saving.
std::vector<std::string> memoLines(const QPlainTextEdit* memo);

} // namespace qtr
