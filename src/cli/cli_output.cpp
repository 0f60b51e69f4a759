#include "cli/cli_output.h"

#include "base/file_io.h"
#include "base/text_lines.h"
#include "docs/forms/report_pages.h"
#include "docs/work_file.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <ostream>

namespace qtr::cli {
namespace {

// The PDF is painted with Qt's fonts, which need a QGuiApplication; qtr-cli runs
// without a display, so it makes one on the offscreen platform for the time it paints.
// Qt's English notes about the environment would only clutter standard error, where
// a script expects the program's own messages; what fails is reported by the writer.
class OffscreenGuiScope {
public:
    OffscreenGuiScope() : previous_(qInstallMessageHandler(onlyCritical)) {
        if (QCoreApplication::instance() == nullptr) {
            app_ = std::make_unique<QGuiApplication>(argc_, argv_);
        }
    }
    ~OffscreenGuiScope() {
        app_.reset();
        qInstallMessageHandler(previous_);
    }
    OffscreenGuiScope(const OffscreenGuiScope&) = delete;
    OffscreenGuiScope& operator=(const OffscreenGuiScope&) = delete;

private:
    int argc_ = 3;
    char name_[8] = "qtr-cli";
    char option_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* argv_[4] = {name_, option_, platform_, nullptr};
    QtMessageHandler previous_;
    std::unique_ptr<QGuiApplication> app_;

    static void onlyCritical(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
        }
    }
};

bool written(CliContext& ctx, const FileResult& r) {
    if (!r) {
        *ctx.err << r.error() << "\n";
    }
    return r.ok();
}

} // namespace

int emitLines(CliContext& ctx, const std::vector<std::string>& lines) {
    ctx.reportEmitted = true;
    if (ctx.outFile &&
        !written(ctx, writeFileAtomically(*ctx.outFile, win1250TextFromLines(lines)))) {
        return kExitFailure;
    }
    if (ctx.pdfFile) {
        const OffscreenGuiScope gui;
        if (!written(ctx, writeReportPdf(*ctx.pdfFile, lines, kWorkFileName))) {
            return kExitFailure;
        }
    }
    if (!ctx.outFile && !ctx.pdfFile) {
        for (const auto& line : lines) {
            *ctx.out << line << "\n";
        }
    }
    return kExitOk;
}

} // namespace qtr::cli
