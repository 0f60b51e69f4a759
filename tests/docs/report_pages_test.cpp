#include "docs/forms/report_pages.h"
#include "docs/printed_report.h"
#include "support/pdf_tools.h"
#include "support/temp_dir.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace qtr {
namespace {

TEST(ReportPages, PdfOfALongReportHasEveryLineAsWrittenAndNumberedPages) {
    test::TempDir dir;
    std::vector<std::string> lines = {"PŘEHLED NASTAVENÍ", ""};
    for (int i = 1; i <= 150; ++i) {
        lines.push_back("řádek " + std::to_string(1000 + i) + "  Žluťoučký   kůň");
    }
    // Wider than the page: continued on the next line, never cut off.
    const std::string wide = std::string(60, 'a') + std::string(60, 'b') + "KONEC";
    lines.push_back(wide);
    ASSERT_TRUE(writeReportPdf(dir / "r.pdf", lines, "QTR_WORK.RTF"));

    EXPECT_EQ(test::pdfInfo(dir / "r.pdf", "Pages"), "3");
    EXPECT_EQ(test::pdfInfo(dir / "r.pdf", "Title"), "QTR_WORK.RTF");
    EXPECT_EQ(test::pdfInfo(dir / "r.pdf", "Page size"), "595 x 842 pts (A4)");
    EXPECT_NE(test::pdfFonts(dir / "r.pdf").find("Mono"), std::string::npos);

    const test::PrintedReport p = test::printedReport(dir / "r.pdf");
    EXPECT_EQ(p.pageNumbers,
              (std::vector<std::string>{"Strana 1 z 3", "Strana 2 z 3", "Strana 3 z 3"}));
    ASSERT_EQ(p.body.size(), 1u + 150u + 2u);
    EXPECT_EQ(p.body[0], "PŘEHLED NASTAVENÍ");
    for (int i = 1; i <= 150; ++i) {
        EXPECT_EQ(p.body[static_cast<std::size_t>(i)], lines[static_cast<std::size_t>(i + 1)]);
    }
    EXPECT_EQ(p.body[151] + p.body[152], wide);
    EXPECT_LT(p.body[151].size(), wide.size());

    // Each page number stands under its own page's lines.
    const std::string text = test::pdfText(dir / "r.pdf");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 3);
    EXPECT_LT(text.find("řádek 1001"), text.find("Strana 1 z 3"));
    EXPECT_LT(text.find("Strana 1 z 3"), text.find("řádek 1150"));
    EXPECT_LT(text.find("Strana 2 z 3"), text.find("KONEC"));
}

TEST(ReportPages, AnEmptyReportIsOneNumberedPage) {
    test::TempDir dir;
    ASSERT_TRUE(writeReportPdf(dir / "prazdna.pdf", {}, "QTR_WORK.RTF"));
    EXPECT_EQ(test::pdfInfo(dir / "prazdna.pdf", "Pages"), "1");
    const test::PrintedReport p = test::printedReport(dir / "prazdna.pdf");
    EXPECT_TRUE(p.body.empty());
    EXPECT_EQ(p.pageNumbers, (std::vector<std::string>{"Strana 1 z 1"}));
}

TEST(ReportPages, APageBreakLineStartsANewPage) {
    test::TempDir dir;
    ASSERT_TRUE(writeReportPdf(dir / "dva.pdf", {"PRVNÍ", "\f", "DRUHÝ", "\f"}, "QTR_WORK.RTF"));
    const std::string text = test::pdfText(dir / "dva.pdf");
    EXPECT_EQ(test::pdfInfo(dir / "dva.pdf", "Pages"), "3"); // the last one empty
    EXPECT_LT(text.find("PRVNÍ"), text.find("Strana 1 z 3"));
    EXPECT_LT(text.find("Strana 1 z 3"), text.find("DRUHÝ"));
    EXPECT_LT(text.find("DRUHÝ"), text.find("Strana 2 z 3"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 3); // pdftotext's page ends only
}

TEST(ReportPages, FixedPitchFontAndAFileThatCannotBeWritten) {
    EXPECT_TRUE(QFontInfo(reportFont()).fixedPitch())
        << QFontInfo(reportFont()).family().toStdString();
    test::TempDir dir;
    const FileResult r = writeReportPdf(dir / "chybí" / "r.pdf", {"x"}, "QTR_WORK.RTF");
    EXPECT_FALSE(r);
    EXPECT_NE(r.error().find("r.pdf"), std::string::npos) << r.error();
}

} // namespace
} // namespace qtr
