#pragma once

#include "docs/forms/report_pages.h"
#include "support/pdf_tools.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <string>
#include <vector>

namespace qtr::test {

// The width of one character of the report font on paper, in points: the pitch at
// which pdftotext puts a printed report's characters back into their columns.
inline double reportPitchPoints() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter points(&buffer);
    points.setResolution(72);
    return QFontMetricsF(reportFont(), &points).horizontalAdvance(QLatin1Char('0'));
}

// A printed report as read back from its PDF: the lines that are not empty, column
// for column, and the page numbers.
struct PrintedReport {
    std::vector<std::string> body;
    std::vector<std::string> pageNumbers;
};
inline PrintedReport printedReport(const std::filesystem::path& pdf) {
    PrintedReport p;
    for (const std::string& line : pdfLines(pdf, reportPitchPoints())) {
        const std::size_t text = line.find_first_not_of(' ');
        if (text != std::string::npos && line.compare(text, 7, "Strana ") == 0) {
            p.pageNumbers.push_back(line.substr(text));
        } else if (!line.empty()) {
            p.body.push_back(line);
        }
    }
    return p;
}

} // namespace qtr::test
