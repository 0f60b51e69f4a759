// The qtr program as the operator starts it, and what it does before and around its windows.

#include "app/qtr_application.h"
#include "support/process_run.h"
#include "support/ui_responder.h"

#include <QLibraryInfo>
#include <QLocale>
#include <gtest/gtest.h>
#include <stdexcept>

namespace qtr {
namespace {

TEST(QtrProgram, HelpWrongOptionsAndNoGraphicalSession) {
    const std::string usage = "Použití: qtr [--dir SLOŽKA] [--com1..--com4 ZAŘÍZENÍ]\n";
    const std::map<std::string, std::optional<std::string>> noDisplay = {
        {"DISPLAY", std::nullopt},
        {"WAYLAND_DISPLAY", std::nullopt},
        {"QT_QPA_PLATFORM", std::nullopt}};
    auto deadDisplay = noDisplay;
    deadDisplay["DISPLAY"] = ":97"; // nobody serves it
    const struct {
        const char* what;
        std::vector<std::string> args;
        std::map<std::string, std::optional<std::string>> env;
        int status;
        std::string out;
        std::string errStart;
    } cases[] = {
        {"--help", {"--help"}, noDisplay, 0, usage, ""},
        {"-h", {"--demo", "-h"}, noDisplay, 0, usage, ""},
        {"wrong option",
         {"--dir"},
         noDisplay,
         2,
         "",
         "Neznámý nebo neúplný přepínač: --dir\n" + usage},
        {"no display", {}, noDisplay, 1, "", kNoGraphicalSessionText},
        {"display nobody serves",
         {"--demo", "/nonexistent/qtr"},
         deadDisplay,
         1,
         "",
         kNoGraphicalSessionText},
    };
    for (const auto& c : cases) {
        std::vector<std::string> argv = {QTR_PROGRAM_PATH};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const test::ProcessOutcome r = test::runProcess(argv, c.env);
        EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.err;
        EXPECT_EQ(r.out.substr(0, c.out.size()), c.out) << c.what;
        EXPECT_EQ(r.err.substr(0, c.errStart.size()), c.errStart) << c.what << "\n" << r.err;
    }
}

// File dialogs, their overwrite question and the month names of date pickers in Czech; a
// missing translation leaves Qt's English texts and nothing else.
TEST(QtrProgram, QtsOwnTextsAreCzech) {
    EXPECT_FALSE(useCzechForQt(*QCoreApplication::instance(), "/nonexistent/translations"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
    EXPECT_EQ(QLocale().standaloneMonthName(1), "leden");
    ASSERT_TRUE(useCzechForQt(*QCoreApplication::instance(),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        << "qtbase_cs.qm missing: scripts/deps installs qt6-translations-l10n";
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Hledat v:");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog",
                                          "%1 already exists.\nDo you want to replace it?"),
              "Soubor %1 již existuje.\nChcete jej nahradit?");
}

// What escapes a slot or a handler is shown with the standard error message; the program
// goes on.
TEST(QtrProgram, AnExceptionFromAnEventIsReportedAndTheProgramGoesOn) {
    test::UiResponder ui;
    ui.expectMessage("Soubor QTR0002.DAT nelze zapsat");
    EXPECT_FALSE(deliverReportingErrors(
        []() -> bool { throw std::runtime_error("Soubor QTR0002.DAT nelze zapsat"); }));
    ui.expectMessage("Nedostatek paměti.");
    EXPECT_FALSE(deliverReportingErrors([]() -> bool { throw std::bad_alloc(); }));
    ui.expectMessage("Neočekávaná chyba.");
    EXPECT_FALSE(deliverReportingErrors([]() -> bool { throw 7; }));
    EXPECT_TRUE(deliverReportingErrors([] { return true; }));
    for (const auto& m : ui.shown()) {
        EXPECT_EQ(m.icon, ui::MessageIcon::Error);
    }
}

} // namespace
} // namespace qtr
