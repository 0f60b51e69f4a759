#pragma once

#include <QDialog>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace qtr {

// Every report ends here: the producer writes its lines to the work file and shows
// the output window modally. These two calls are all a window needs.
//
// Writes the report's UTF-8 lines to the work file QTR_WORK.RTF of the data
// directory `dir` and shows it in TOUTTXT; a work file that cannot be written is
// reported in Czech and nothing opens.
void showReport(const std::filesystem::path& dir, const std::vector<std::string>& lines,
                QWidget* parent);
// Shows the work file of `dir` as it stands in TOUTTXT (through ui::execModal);
// without a work file "Žádná data pro výstup" and nothing opens.
void showWorkFile(const std::filesystem::path& dir, QWidget* parent);

// TFEX: what to do with a file that is there already. The caption is the
// window's own, whatever the file; the file itself is named inside.
class TFEX : public QDialog {
    Q_OBJECT

public:
    // The results besides QDialog::Rejected, which "Zrušit" and closing give.
    enum Answer { Prepsat = 2, Doplnit = 3 };

    explicit TFEX(const QString& file, QWidget* parent = nullptr);
};

// TOUTTXT "Manipulace se zpracovaným výstupem": the work file, read-only until
// "opravy", printed or saved as a text file. Corrections live only in the window.
class TOUTTXT : public QDialog {
    Q_OBJECT

public:
    // The window keeps the work file's name from its creation.
    explicit TOUTTXT(std::filesystem::path workFile, QWidget* parent = nullptr);
    ~TOUTTXT() override;

    // Loads the work file and focuses the text; false, after saying why, when there
    // is nothing to show.
    bool FormShow();

    void sbSetupClick();
    void sbPrnClick();
    void sbFntClick();
    void SpeedButton1Click(bool down);
    void SpeedButton2Click();
    void SpeedButton3Click();

    // The lines as the window holds them now, corrections included.
    QStringList outputLines() const;

private:
    bool loadWorkFile();
    QPrinter& printer();

    std::filesystem::path workFile_;
    QPlainTextEdit* meOutList_;
    QLabel* laOpravy_;
    QPushButton* SpeedButton1_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace qtr
