#pragma once

// The main window on a fake bus in a working directory with one operator account
// and the installation keys; what the tests of the menu items share.

#include "app/account_file.h"
#include "app/main_window.h"
#include "attendance/attendance_data.h"
#include "base/clock.h"
#include "base/text_lines.h"
#include "base/win1250.h"
#include "calendar/holiday_calendar.h"
#include "db/configuration_database.h"
#include "db/installation_keys.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"
#include "unitproc/fake_bus.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace qtr::test {

inline const KeyNumber kMaster = KeyNumber::parse("0102030405060A");
inline const KeyNumber kService = KeyNumber::parse("0199999999999A");
inline const KeyNumber kOrdinary = KeyNumber::parse("01000000001001");

// A working directory with one operator account and the installation keys, a
// main window on a fake bus, and answers to whatever boxes the test expects.
struct MainWindowTest : ::testing::Test {
    test::TempDir dir;
    UiResponder ui;
    FakeBus bus;
    ManualClock clock{encodeDate(2024, 3, 4) + encodeTime(8, 15, 0)};
    SeededRandomSource random{17};
    ConfigurationDatabase db;
    InstallationKeys keys;
    HolidayCalendar calendar;
    AttendanceData attendance;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<TQTRM> window;

    void SetUp() override {
        bus.dir = dir.path();
        keys.masterKey = kMaster;
        keys.serviceKeys = {kService};
        UserAccounts a = emptyAccounts(random);
        a.count = 1;
        a.accountSlots[0].userName.setText("demo");
        a.accountSlots[0].password.setText("demo1234");
        ASSERT_TRUE(saveAccountFile(dir / kAccountFile, a, scramblingKeyOf(kMaster), random).ok());
        (void)initialiseConfiguration(db, dir.path());
        ctx = std::make_unique<AppContext>(
            AppContext{dir.path(), db, bus, clock, random, keys, calendar, attendance});
    }

    void start() {
        window = std::make_unique<TQTRM>(*ctx);
        window->show();
    }

    QAction* action(const char* name) {
        auto* a = window->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    bool menuEnabled(const char* name) {
        return window->findChild<QMenu*>(QString::fromLatin1(name))->menuAction()->isEnabled();
    }
    std::vector<std::string> protocolTexts() {
        std::vector<std::string> texts;
        for (const auto& l : splitWin1250Lines(test::readText(dir / "protokol.txt"))) {
            texts.push_back(win1250ToUtf8(l.substr(std::min<std::size_t>(20, l.size()))));
        }
        return texts;
    }
    // Answers the log-in dialog with a name and a password (or cancels it).
    void logIn(const QString& name, const QString& password, bool confirm = true) {
        ui.expectDialog("TFIRST", [=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Přihlášení uživatele");
            d.findChild<QLineEdit*>("Edit1")->setText(name);
            d.findChild<QLineEdit*>("Edit2")->setText(password);
            d.findChild<QPushButton*>(confirm ? "btHotovo" : "btZpet")->click();
        });
        window->miPrihlasitClick();
    }
};

} // namespace qtr::test
