#pragma once

#include "base/file_result.h"

#include <QFont>
#include <QPageLayout>
#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

class QPagedPaintDevice;

namespace qtr {

// The printed form of a report, shared by the output window's printing and the PDF
// of qtr-cli so that paper and PDF look alike.

// The font every report is shown and printed in: fixed pitch, so that the columns
// the reports are laid out in stay aligned.
QFont reportFont();

// A4 portrait with margins of 15 mm: the page of a report's PDF and the preset of
// the output window's printer (the printer setup may change it).
QPageLayout reportPageLayout();

// Paints the report on a printer or PDF writer that is not painted on yet: as many
// lines to a page as fit, a line too wide for the page continued on the next line,
// a new page at each page-break line (kPageBreak), and "Strana N z M" centred under
// each page. Returns the number of pages, or 0 when
// the device refused the painter (a printer that failed, an unwritable file).
int paintReportPages(QPagedPaintDevice& device, const QStringList& lines, const QFont& font);

// Writes the report's UTF-8 lines as a PDF file (replaced as a whole) with the pages
// of paintReportPages in reportFont(); `title` is the document's title. Needs a
// QGuiApplication: qtr-cli makes one on the offscreen platform for it.
FileResult writeReportPdf(const std::filesystem::path& file, const std::vector<std::string>& lines,
                          const std::string& title);

} // namespace qtr
