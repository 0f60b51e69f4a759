#include "base/text_lines.h"
#include "docs/forms/output_window.h"
#include "docs/printed_report.h"
#include "docs/work_file.h"
#include "support/pdf_tools.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"

#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qtr {
namespace {

using test::UiResponder;

const std::vector<std::string> kReport = {"SEZNAM IDENTIFIKAČNÍCH KLÍČŮ", "",
                                          "0001 01000000001001 Jan Novák       Výroba",
                                          "cena\u00A0100 Kč"};
const std::string kReportBytes = win1250TextFromLines(kReport);
const std::string kFourEmpty = "\r\n\r\n\r\n\r\n";

void writeText(const std::filesystem::path& file, const std::string& bytes) {
    test::writeBytes(file, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// The output window on a work file holding kReport, as a producer opens it.
struct OutputWindowTest : ::testing::Test {
    test::TempDir dir;
    UiResponder ui;
    std::unique_ptr<TOUTTXT> window;
    std::unique_ptr<QSignalSpy> closed;

    void SetUp() override {
        ASSERT_TRUE(writeWorkFile(dir.path(), kReport));
        window = std::make_unique<TOUTTXT>(workFilePath(dir.path()));
        closed = std::make_unique<QSignalSpy>(window.get(), &QDialog::finished);
        ASSERT_TRUE(window->FormShow());
    }
    QPlainTextEdit* text() { return window->findChild<QPlainTextEdit*>("meOutList"); }
    void click(const char* name) { window->findChild<QPushButton*>(name)->click(); }
    // What the operator sees of the editing state.
    std::string state() {
        return std::string(text()->isReadOnly() ? "jen čtení" : "opravy") +
               (window->findChild<QLabel*>("laOpravy")->isHidden() ? "" : " + lze opravovat") +
               (window->findChild<QPushButton*>("SpeedButton1")->isChecked() ? " [opravy]" : "");
    }
    // Chooses `file` in the save dialog; TFEX, when asked, answers by `button`.
    void saveTo(const std::filesystem::path& file, const char* button = nullptr) {
        ui.expectSaveFile(QString::fromStdString(file.string()));
        if (button != nullptr) {
            ui.expectDialog("TFEX", [button](QDialog& d) {
                EXPECT_EQ(d.windowTitle(), "Soubor VYSTUP.TXT existuje!");
                d.findChild<QPushButton*>(button)->click();
            });
        }
        click("SpeedButton3");
    }
};

TEST_F(OutputWindowTest, ShowsTheWorkFileReadOnlyInAFixedPitchFontWithoutWrapping) {
    EXPECT_EQ(window->windowTitle(), "Manipulace se zpracovaným výstupem");
    EXPECT_EQ(text()->toPlainText().toStdString(),
              "SEZNAM IDENTIFIKAČNÍCH KLÍČŮ\n\n0001 01000000001001 Jan Novák       Výroba\n"
              "cena 100 Kč");
    EXPECT_EQ(text()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(QFontInfo(text()->font()).fixedPitch());
    QStringList captions;
    for (const char* b :
         {"SpeedButton1", "SpeedButton2", "sbFnt", "sbSetup", "sbPrn", "SpeedButton3"}) {
        captions << window->findChild<QPushButton*>(b)->text();
    }
    EXPECT_EQ(captions.join(u'|'), "opravy|původní|písmo|tiskárna|tisknout|do souboru");
    EXPECT_EQ(state(), "jen čtení");
}

TEST_F(OutputWindowTest, CorrectionsAreAllowedWhileOpravyIsDownAndPuvodniDropsThem) {
    click("SpeedButton1");
    EXPECT_EQ(state(), "opravy + lze opravovat [opravy]");
    text()->moveCursor(QTextCursor::End);
    QTest::keyClicks(text(), " opraveno");
    click("SpeedButton1");
    EXPECT_EQ(state(), "jen čtení");
    EXPECT_EQ(window->outputLines().last(), "cena\u00A0100 Kč opraveno");
    // The work file itself is never changed by corrections.
    EXPECT_EQ(test::readText(workFilePath(dir.path())), kReportBytes);
    click("SpeedButton2");
    EXPECT_EQ(window->outputLines().last(), "cena\u00A0100 Kč");
    EXPECT_EQ(closed->count(), 0);
}

TEST_F(OutputWindowTest, SavingANewFileWritesTheCorrectedLinesAndFourEmptyLinesAndCloses) {
    click("SpeedButton1");
    text()->moveCursor(QTextCursor::End);
    QTest::keyClicks(text(), "!");
    saveTo(dir / "VYSTUP.TXT");
    ASSERT_TRUE(ui.lastSaveRequest());
    EXPECT_EQ(ui.lastSaveRequest()->caption, "Určete soubor");
    EXPECT_EQ(ui.lastSaveRequest()->proposed.toStdString(), (dir / "VYSTUP.TXT").string());
    EXPECT_TRUE(ui.lastSaveRequest()->filter.startsWith("Textové soubory"));
    // The window asks its own question about an existing file, not the dialog.
    EXPECT_EQ(ui.lastSaveRequest()->overwrite, ui::OverwriteQuestion::Leave);
    // The no-break space of Windows-1250 is kept, not turned into a blank.
    EXPECT_EQ(test::readText(dir / "VYSTUP.TXT"),
              kReportBytes.substr(0, kReportBytes.size() - 2) + "!\r\n" + kFourEmpty);
    EXPECT_EQ(closed->count(), 1);
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(OutputWindowTest, AnExistingFileIsOverwrittenAppendedOrLeftByTheAnswerOfTfex) {
    struct Case {
        const char* button;
        std::string expected;
        int closes;
    };
    const std::string old = "dřívější výstup\r\n";
    const Case cases[] = {
        {"btPrepsat", kReportBytes + kFourEmpty, 1},
        {"btDoplnit", old + kReportBytes + kFourEmpty, 1},
        {"btZrusit", old, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        // Whatever the file is called, TFEX speaks of VYSTUP.TXT.
        writeText(dir / "jiny.txt", old);
        saveTo(dir / "jiny.txt", c.button);
        EXPECT_EQ(test::readText(dir / "jiny.txt"), c.expected) << c.button;
        EXPECT_EQ(closed->count(), c.closes) << c.button;
    }
}

TEST_F(OutputWindowTest, ANameWithoutExtensionGetsTxtAndCancellingKeepsTheWindowOpen) {
    ui.expectSaveFile(std::nullopt);
    click("SpeedButton3");
    EXPECT_EQ(closed->count(), 0);
    saveTo(dir / "sestava");
    EXPECT_EQ(test::readText(dir / "sestava.TXT"), kReportBytes + kFourEmpty);
    EXPECT_EQ(closed->count(), 1);
}

TEST_F(OutputWindowTest, AFileThatCannotBeWrittenIsReportedAndTheWindowStays) {
    ui.expectMessage("nelze zapsat");
    saveTo(dir / "chybí" / "VYSTUP.TXT");
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(closed->count(), 0);
}

TEST_F(OutputWindowTest, PrintingIntoAPdfFileKeepsTheCorrectionsColumnsAndPageNumbers) {
    click("SpeedButton1");
    text()->moveCursor(QTextCursor::End);
    QTest::keyClicks(text(), " X");
    // The printer setup chosen before printing holds for the print.
    ui.expectPrinterSetup([](QPrinter& p) {
        p.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    click("sbSetup");
    const auto pdf = dir / "tisk.pdf";
    ui.expectPrint([&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(pdf.string()));
        return true;
    });
    click("sbPrn");
    EXPECT_EQ(closed->count(), 1);
    EXPECT_EQ(test::pdfInfo(pdf, "Title"), "QTR_WORK.RTF");
    EXPECT_EQ(test::pdfInfo(pdf, "Page size"), "842 x 595 pts (A4)");
    const test::PrintedReport printed = test::printedReport(pdf);
    EXPECT_EQ(printed.body, (std::vector<std::string>{"SEZNAM IDENTIFIKAČNÍCH KLÍČŮ",
                                                      "0001 01000000001001 Jan Novák       Výroba",
                                                      "cena 100 Kč X"}));
    EXPECT_EQ(printed.pageNumbers, std::vector<std::string>{"Strana 1 z 1"});
}

TEST_F(OutputWindowTest, AFailedOrCancelledPrintKeepsTheWindow) {
    ui.expectPrint([](QPrinter&) { return false; });
    click("sbPrn");
    ui.expectPrint([&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString((dir / "chybí" / "tisk.pdf").string()));
        return true;
    });
    ui.expectMessage("Tisk se nezdařil");
    click("sbPrn");
    EXPECT_EQ(closed->count(), 0);
}

TEST_F(OutputWindowTest, TheChosenFontIsTakenAndACancelledChoiceChangesNothing) {
    const QFont before = text()->font();
    ui.expectFont(std::nullopt);
    click("sbFnt");
    EXPECT_EQ(text()->font(), before);
    QFont chosen(QStringLiteral("DejaVu Sans Mono"), 14);
    ui.expectFont(chosen);
    click("sbFnt");
    EXPECT_EQ(text()->font(), chosen);
    EXPECT_FALSE(text()->isHidden());
}

TEST(ShowWorkFile, WithoutAWorkFileThereIsNothingToShow) {
    test::TempDir dir;
    UiResponder ui;
    ui.expectMessage("Žádná data pro výstup");
    showWorkFile(dir.path(), nullptr);
}

TEST(ShowWorkFile, AReportIsWrittenToTheWorkFileAndShownModally) {
    test::TempDir dir;
    UiResponder ui;
    ui.expectDialog("TOUTTXT", [](QDialog& d) {
        EXPECT_EQ(static_cast<TOUTTXT&>(d).outputLines(), QStringList({"a", "", "č"}));
    });
    showReport(dir.path(), {"a", "", "č"}, nullptr);
    EXPECT_EQ(test::readText(dir / "QTR_WORK.RTF"), "a\r\n\r\n\xE8\r\n");

    ui.expectMessage("QTR_WORK.RTF");
    showReport(dir / "chybí", {"a"}, nullptr);
}

} // namespace
} // namespace qtr
