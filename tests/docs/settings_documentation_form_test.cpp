#include "base/text_lines.h"
#include "docs/documented_installation.h"
#include "docs/forms/output_window.h"
#include "docs/forms/settings_documentation_form.h"
#include "docs/settings_documentation.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace qtr {
namespace {

using Lines = std::vector<std::string>;

struct DocumentationWindow {
    DocumentationWindow(const ConfigurationDatabase& db, const std::filesystem::path& dir)
        : form(db, dir) {}
    TDOK0 form;
    QAbstractButton* button(const char* name) { return form.findChild<QAbstractButton*>(name); }
    QPlainTextEdit* memo() { return form.findChild<QPlainTextEdit*>("Memo1"); }
    QProgressBar* progress() { return form.findChild<QProgressBar*>("Vyvoj"); }
    // The enabled controls, in the window's order.
    std::string enabled() {
        std::string s;
        for (const char* b : {"sbListHwj", "sbListKey", "sbListRts", "CheckBox1", "BitBtn1",
                              "Button1", "BitBtn2"}) {
            if (button(b)->isEnabled()) {
                s += std::string(s.empty() ? "" : " ") + b;
            }
        }
        return s;
    }
};

Lines joined(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

TEST(TDOK0, CaptionsAndTheReportsEnabledByWhatTheInstallationHolds) {
    test::TempDir dir;
    const ConfigurationDatabase full = test::documentedInstallation();
    ConfigurationDatabase unitsOnly;
    unitsOnly.units = full.units;
    ConfigurationDatabase holdersOnly;
    holdersOnly.keyHolders = full.keyHolders;
    const ConfigurationDatabase empty;
    const std::pair<const ConfigurationDatabase*, const char*> cases[] = {
        {&empty, "CheckBox1 BitBtn1 Button1 BitBtn2"},
        {&unitsOnly, "sbListHwj CheckBox1 BitBtn1 Button1 BitBtn2"},
        {&holdersOnly, "sbListKey sbListRts CheckBox1 BitBtn1 Button1 BitBtn2"},
        {&full, "sbListHwj sbListKey sbListRts CheckBox1 BitBtn1 Button1 BitBtn2"},
    };
    for (const auto& [db, expected] : cases) {
        EXPECT_EQ(DocumentationWindow(*db, dir.path()).enabled(), expected);
    }
    DocumentationWindow w(full, dir.path());
    EXPECT_EQ(w.form.windowTitle(), "Dokumentace systému");
    QStringList captions;
    for (const char* b :
         {"sbListHwj", "sbListKey", "sbListRts", "CheckBox1", "BitBtn1", "Button1", "BitBtn2"}) {
        captions << w.button(b)->text();
    }
    EXPECT_EQ(captions.join(u'|'), "&Popis jednotek|&Seznam klíčů|Přehled &nastavení|"
                                   "d&etail oprávnění|&Dokument|&Vymazat|&konec");
    EXPECT_TRUE(w.memo()->isReadOnly());
}

TEST(TDOK0, ReportsAppendWithTheMemoHiddenWhileTheProgressBarCounts) {
    test::TempDir dir;
    const ConfigurationDatabase db = test::documentedInstallation();
    DocumentationWindow w(db, dir.path());
    std::vector<std::string> seen;
    QObject::connect(w.progress(), &QProgressBar::valueChanged, [&](int v) {
        seen.push_back(std::to_string(v) + "/" + std::to_string(w.progress()->maximum()) +
                       (w.memo()->isHidden() ? " skryto" : ""));
    });
    w.button("sbListHwj")->click();
    EXPECT_EQ(seen, (Lines{"1/4 skryto", "2/4 skryto", "3/4 skryto", "4/4 skryto", "0/4 skryto"}));
    EXPECT_FALSE(w.memo()->isHidden());
    w.button("sbListKey")->click();
    w.button("CheckBox1")->click();
    w.button("sbListRts")->click();
    const Lines expected = joined({unitDescriptionLines(db.units), keyListLines(db.keyHolders),
                                   rightsOverviewLines(db, true)});
    EXPECT_EQ(w.form.lines(), expected);
    EXPECT_EQ(w.memo()->document()->blockCount(), static_cast<int>(expected.size()));
    EXPECT_EQ(w.memo()->document()->findBlockByNumber(3).text().toStdString(),
              "Typ: přístupová, VNITŘNÍ");
    EXPECT_EQ(w.progress()->value(), 0);
}

TEST(TDOK0, DokumentWritesTheMemoToTheWorkFileAndShowsItVymazatEmptiesIt) {
    test::TempDir dir;
    test::UiResponder ui;
    const ConfigurationDatabase db = test::documentedInstallation();
    DocumentationWindow w(db, dir.path());
    w.button("sbListRts")->click();
    ui.expectDialog("TOUTTXT", [](QDialog& d) {
        const QStringList shown = static_cast<TOUTTXT&>(d).outputLines();
        EXPECT_EQ(shown.size(), 2 + 7 * 3 + 1);
        EXPECT_EQ(shown[3], "PŘÍSTUPOVÁ PRÁVA: Kancelář");
    });
    w.button("BitBtn1")->click();
    EXPECT_EQ(test::readText(dir / "QTR_WORK.RTF"),
              win1250TextFromLines(rightsOverviewLines(db, false)));

    w.button("Button1")->click();
    EXPECT_TRUE(w.memo()->toPlainText().isEmpty());
    EXPECT_TRUE(w.form.lines().empty());
    // The next "Dokument" overwrites the work file, here with nothing.
    ui.expectDialog("TOUTTXT", [](QDialog& d) {
        EXPECT_TRUE(static_cast<TOUTTXT&>(d).outputLines().isEmpty());
    });
    w.button("BitBtn1")->click();
    EXPECT_EQ(test::readText(dir / "QTR_WORK.RTF"), "");

    QSignalSpy closed(&w.form, &QDialog::finished);
    w.button("BitBtn2")->click();
    EXPECT_EQ(closed.count(), 1);
}

} // namespace
} // namespace qtr
