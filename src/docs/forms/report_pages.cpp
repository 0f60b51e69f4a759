#include "docs/forms/report_pages.h"

#include "base/file_io.h"
#include "docs/report_text.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <span>
#include <vector>

namespace qtr {
namespace {

// The pieces a line is printed in: the whole line when it fits the width, else the
// longest prefixes that fit, one after another (at least one character each).
void appendWrapped(QStringList& out, const QString& line, const QFontMetricsF& metrics,
                   qreal width) {
    QString rest = line;
    while (rest.size() > 1 && metrics.horizontalAdvance(rest) > width) {
        qsizetype fits = 1;
        qsizetype tooLong = rest.size();
        while (tooLong - fits > 1) {
            const qsizetype middle = (fits + tooLong) / 2;
            (metrics.horizontalAdvance(rest.left(middle)) <= width ? fits : tooLong) = middle;
        }
        out << rest.left(fits);
        rest = rest.mid(fits);
    }
    out << rest;
}

} // namespace

QFont reportFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // The system's fixed font may be a family that does not declare itself fixed pitch
    // (Noto Sans Mono on some systems); then a family known to keep the columns is taken.
    if (!QFontInfo(font).fixedPitch()) {
        for (const char* family :
             {"DejaVu Sans Mono", "Liberation Mono", "Nimbus Mono PS", "Courier New"}) {
            const QFont candidate(QString::fromLatin1(family));
            if (QFontInfo(candidate).fixedPitch()) {
                font = candidate;
                break;
            }
        }
    }
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

QPageLayout reportPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

int paintReportPages(QPagedPaintDevice& device, const QStringList& lines, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    const qreal width = device.width();
    const qreal lineHeight = metrics.lineSpacing();
    // One line's gap and the page number under the text.
    const int linesPerPage =
        std::max(1, static_cast<int>((device.height() - 2 * lineHeight) / lineHeight));

    // The printed lines page by page; a page break line starts a new page.
    std::vector<QStringList> pages(1);
    const QString pageBreak = QString::fromLatin1(kPageBreak);
    for (const QString& line : lines) {
        if (line == pageBreak) {
            pages.emplace_back();
            continue;
        }
        QStringList wrapped;
        appendWrapped(wrapped, line, metrics, width);
        for (const QString& piece : wrapped) {
            if (pages.back().size() >= linesPerPage) {
                pages.emplace_back();
            }
            pages.back() << piece;
        }
    }
    const int count = static_cast<int>(pages.size());
    for (int page = 0; page < count; ++page) {
        if (page > 0) {
            device.newPage();
        }
        const QStringList& text = pages[static_cast<std::size_t>(page)];
        for (qsizetype i = 0; i < text.size(); ++i) {
            painter.drawText(QPointF(0, static_cast<qreal>(i) * lineHeight + metrics.ascent()),
                             text[i]);
        }
        const QRectF footer(0, device.height() - lineHeight, width, lineHeight);
        painter.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom,
                         QStringLiteral("Strana %1 z %2").arg(page + 1).arg(count));
    }
    painter.end();
    return count;
}

FileResult writeReportPdf(const std::filesystem::path& file, const std::vector<std::string>& lines,
                          const std::string& title) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return FileResult::failure("PDF " + file.string() +
                                   " nelze vytvořit: chybí grafické prostředí.");
    }
    QStringList text;
    for (const std::string& line : lines) {
        text << QString::fromStdString(line);
    }
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("QTR"));
        writer.setPageLayout(reportPageLayout());
        if (paintReportPages(writer, text, reportFont()) == 0) {
            return FileResult::failure("PDF " + file.string() + " nelze vytvořit.");
        }
    }
    return writeFileAtomically(file,
                               std::span(reinterpret_cast<const std::uint8_t*>(pdf.constData()),
                                         static_cast<std::size_t>(pdf.size())));
}

} // namespace qtr
