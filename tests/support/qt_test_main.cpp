#include "support/ui_responder.h"

#include <QApplication>
#include <gtest/gtest.h>

// Window tests run on Qt's offscreen platform unless the caller chose another.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // A message box or modal window that a test did not ask for fails that test at once
    // instead of waiting for a click nobody makes. A test's own responder takes over for
    // its lifetime.
    qtr::test::UiResponder unexpectedOnly;
    return RUN_ALL_TESTS();
}
