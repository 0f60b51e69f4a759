#include "support/ui_responder.h"
#include "ui/message_routines.h"
#include "ui/record_navigator.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace qtr::ui {
namespace {

TEST(MessageRoutines, KindChoosesIconAndCaptionDefaultsToTheApplicationTitle) {
    test::UiResponder responder;
    responder.expectMessage("a");
    responder.expectMessage("b", MessageAnswer::Cancel);
    responder.expectMessage("c", MessageAnswer::Yes);
    messageOk("a", {}, u'!');
    EXPECT_EQ(messageOkCancel("b", "KONTROLA", u'E'), MessageAnswer::Cancel);
    EXPECT_EQ(messageYesNo("c", {}, u'Q'), MessageAnswer::Yes);

    const auto& shown = responder.shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].caption, QStringLiteral("QTR - základní modul"));
    EXPECT_EQ(shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(shown[1].caption, QStringLiteral("KONTROLA"));
    EXPECT_EQ(shown[1].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(shown[2].buttons, MessageButtons::YesNo);
}

TEST(MessageRoutines, EveryKindCharacter) {
    for (QChar k : {u'!', u'W'}) {
        EXPECT_EQ(iconOfKind(k), MessageIcon::Warning);
    }
    for (QChar k : {u'*', u'C', u'I'}) {
        EXPECT_EQ(iconOfKind(k), MessageIcon::Information);
    }
    for (QChar k : {u'E', u'H', u'S'}) {
        EXPECT_EQ(iconOfKind(k), MessageIcon::Error);
    }
    EXPECT_EQ(iconOfKind(u'Q'), MessageIcon::Question);
    for (QChar k : {u' ', u'w', u'q', u'X'}) {
        EXPECT_EQ(iconOfKind(k), MessageIcon::None);
    }
}

TEST(RecordNavigator, ShowsPositionSlashCountAndSignalsEachButton) {
    RecordNavigator nav;
    nav.setPosition(2, 5);
    EXPECT_EQ(nav.positionText(), QStringLiteral("2/5"));
    EXPECT_EQ(nav.firstButton()->text(), QStringLiteral("|<"));
    EXPECT_EQ(nav.previousButton()->text(), QStringLiteral("<"));
    EXPECT_EQ(nav.nextButton()->text(), QStringLiteral(">"));
    EXPECT_EQ(nav.lastButton()->text(), QStringLiteral(">|"));

    QSignalSpy first(&nav, &RecordNavigator::firstRequested);
    QSignalSpy last(&nav, &RecordNavigator::lastRequested);
    nav.firstButton()->click();
    nav.lastButton()->click();
    nav.lastButton()->click();
    EXPECT_EQ(first.count(), 1);
    EXPECT_EQ(last.count(), 2);

    nav.setNavigationEnabled(false);
    EXPECT_FALSE(nav.nextButton()->isEnabled());
    nav.nextButton()->click();
    QSignalSpy next(&nav, &RecordNavigator::nextRequested);
    nav.nextButton()->click();
    EXPECT_EQ(next.count(), 0);
}

} // namespace
} // namespace qtr::ui

namespace qtr {
namespace {

TEST(ModalSeam, TheQueuedActAnswersTheDialogAndAnythingUnqueuedFails) {
    test::UiResponder ui;
    QDialog named;
    named.setObjectName("TFEX");
    ui.expectDialog("TFEX", [](QDialog& d) { d.done(2); });
    EXPECT_EQ(ui::execModal(named), 2);

    QDialog plain;
    ui.expectDialog("QDialog", [](QDialog&) {});
    EXPECT_EQ(ui::execModal(plain), QDialog::Rejected);

    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(ui::execModal(named), QDialog::Rejected),
                            "unexpected dialog: TFEX");
}

// Without a responder of its own a test still never blocks on a box or a window: the test
// main's responder fails it and gives the negative answer.
TEST(ModalSeam, TheTestMainFailsAnUnexpectedBoxOrWindowInsteadOfWaiting) {
    EXPECT_NONFATAL_FAILURE(
        EXPECT_EQ(ui::messageYesNo(QStringLiteral("Smazat?")), ui::MessageAnswer::No),
        "unexpected message box: [QTR - základní modul] Smazat?");
    EXPECT_NONFATAL_FAILURE(ui::messageOk(QStringLiteral("Hotovo")), "unexpected message box");
    static QDialog* window = nullptr;
    QDialog d;
    d.setObjectName(QStringLiteral("TOKNO"));
    window = &d;
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(ui::execModal(*window), QDialog::Rejected),
                            "unexpected dialog: TOKNO");
    EXPECT_FALSE(d.isVisible());
}

} // namespace
} // namespace qtr
