#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace qtr {

struct ConfigurationDatabase;

// TDOK0 "Dokumentace systému": the unit description, the key list and the rights
// overview, appended one after another in Memo1 and handed to the output window by
// "&Dokument". No unit is contacted.
class TDOK0 : public QDialog {
    Q_OBJECT

public:
    TDOK0(const ConfigurationDatabase& db, std::filesystem::path dir, QWidget* parent = nullptr);

    void sbListHwjClick();
    void sbListKeyClick();
    void sbListRtsClick();
    void BitBtn1Click();
    void Button1Click();

    // The text of Memo1 as lines, what "&Dokument" writes.
    const std::vector<std::string>& lines() const { return lines_; }

private:
    // Runs a report with Memo1 hidden and the progress bar counting `records`, then
    // appends its lines and shows Memo1 at the report's first line.
    void addReport(
        int records,
        const std::function<std::vector<std::string>(const std::function<void(int)>&)>& produce);

    const ConfigurationDatabase& db_;
    std::filesystem::path dir_;
    std::vector<std::string> lines_;
    QPlainTextEdit* Memo1_;
    QProgressBar* Vyvoj_;
    QCheckBox* CheckBox1_;
};

} // namespace qtr
