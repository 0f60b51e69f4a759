#include "base/clock.h"
#include "events/event_fixtures.h"
#include "events/forms/protocol_window.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace qtr {
namespace {

using ui::MessageAnswer;

TEST(ProtocolWindow, ShowsTheLogAndClearsItOnlyWhenConfirmed) {
    test::TempDir dir;
    test::UiResponder ui;
    ManualClock clock(test::at(2026, 12, 9, 7, 30, 0));
    const ProtocolLog log(dir / "protokol.txt", clock);
    ASSERT_TRUE(log.appendLine("START PROGRAMU"));
    clock.advanceSeconds(65);
    ASSERT_TRUE(log.appendLine("&Sběr dat od jednotek"));

    TPRTKOL window(log);
    auto* memo = window.findChild<QPlainTextEdit*>("Memo1");
    EXPECT_EQ(window.windowTitle(), "Systémový protokol");
    EXPECT_TRUE(memo->isReadOnly());
    const QString shown = "09.12.2026 07:30:00 *\n09.12.2026 07:30:00 START PROGRAMU\n"
                          "09.12.2026 07:31:05 &Sběr dat od jednotek";
    EXPECT_EQ(memo->toPlainText(), shown);

    ui.expectMessage("Vymazat celý systémový protokol?", MessageAnswer::No);
    window.findChild<QPushButton*>("btVymazat")->click();
    EXPECT_EQ(memo->toPlainText(), shown);

    clock.advanceSeconds(60);
    ui.expectMessage("Vymazat celý systémový protokol?", MessageAnswer::Yes);
    window.findChild<QPushButton*>("btVymazat")->click();
    EXPECT_EQ(memo->toPlainText(), "09.12.2026 07:32:05 #");
    EXPECT_EQ(test::readText(dir / "protokol.txt"), "09.12.2026 07:32:05 #\r\n");
}

} // namespace
} // namespace qtr
