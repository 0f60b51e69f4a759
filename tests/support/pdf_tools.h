#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qtr::test {

// What poppler's tools (poppler-utils) read from a PDF, as a person would see it.

// The text of every page in reading order, pages ended by form feeds. With the pitch
// of a fixed-pitch font (points per character) the characters are put in the columns
// where they stand on the page (pdftotext -fixed), so blanks between columns come back
// exactly; without it pdftotext approximates the layout (-layout).
std::string pdfText(const std::filesystem::path& pdf, double pitchPoints = 0);

// pdfText split into lines without form feeds and trailing blanks, the indentation
// that all lines share (the left margin) removed.
std::vector<std::string> pdfLines(const std::filesystem::path& pdf, double pitchPoints = 0);

// One field of pdfinfo ("Pages", "Title", "Page size"), trimmed; empty when missing.
std::string pdfInfo(const std::filesystem::path& pdf, const std::string& field);

// The fonts the PDF uses (pdffonts).
std::string pdfFonts(const std::filesystem::path& pdf);

} // namespace qtr::test
