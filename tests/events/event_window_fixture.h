#pragma once

// A data directory with units, key holders and twenty events, and what the tests
// of the event windows read off them: the page, the buttons, the caption.

#include "base/clock.h"
#include "db/configuration_database.h"
#include "events/event_file.h"
#include "events/event_fixtures.h"
#include "events/event_table.h"
#include "events/forms/event_page.h"
#include "support/temp_dir.h"
#include "support/ui_responder.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>
#include <memory>

namespace qtr::test {

inline const char* kNovak = "01000000001001";
inline const char* kSvoboda = "01000000001002";
inline const char* kStranger = "0100000000AA01";
inline const char* kNoKey = "00000000000000";

// Event i (0..19) happens at 07:ii:00 on 2 March 2026: at the access unit 01 when
// i is even, at the attendance unit 10 when odd; 4, 9, 14 and 19 are input events,
// the others keys of Novák, Svoboda and an unregistered key in turn; 7 is refused.
inline EventRecord dayEvent(int i) {
    const bool input = i % 5 == 4;
    const char* keys[] = {kNovak, kSvoboda, kStranger};
    const int reader = i % 2 == 0 && i % 4 != 0 ? 1 : 0;
    return event(i % 2 == 0 ? 0x01 : 0x10, input ? kNoKey : keys[i % 3], at(2026, 3, 2, 7, i, 0),
                 input ? code(8, 3) : code(reader, i == 7 ? 1 : 0));
}

struct EventWindowTest : ::testing::Test {
    TempDir dir;
    UiResponder ui;
    ConfigurationDatabase db;
    ManualClock clock{at(2026, 3, 2, 12, 0, 0)};

    void SetUp() override {
        ControlUnitRecord entrance = unit(0x01, 1, "Vchod");
        entrance.usage = 0x01; // door 0 counts for attendance
        addUnit(db, entrance);
        ControlUnitRecord terminal = unit(0x10, 2, "Docházka");
        terminal.usage = 0x01;
        addUnit(db, terminal);
        addHolder(db, kNovak, "Jan Novák");
        addHolder(db, kSvoboda, "Eva Svobodová");
    }

    // Writes the events (by default the twenty of the day, in a shuffled order).
    void writeEventFile(const std::vector<EventRecord>& events) {
        writeBytes(dir / kEventFile, bytesOf(events));
    }
    void writeDay() {
        std::vector<EventRecord> events;
        for (int i : {3, 0, 19, 7, 1, 2, 4, 5, 6, 18, 8, 9, 10, 17, 11, 12, 13, 14, 15, 16}) {
            events.push_back(dayEvent(i));
        }
        writeEventFile(events);
    }
    std::vector<EventRecord> fileEvents() {
        const std::vector<std::uint8_t> bytes = readBytes(dir / kEventFile);
        std::vector<EventRecord> events;
        for (std::size_t at = 0; at + EventRecord::kSize <= bytes.size();
             at += EventRecord::kSize) {
            events.push_back(EventRecord::fromBytes(std::span(bytes).subspan(at)));
        }
        return events;
    }
};

// The fixture of one event window (TEVEMAN or TEVELST) on that directory.
template <typename Window> struct EventWindowTestOf : EventWindowTest {
    std::unique_ptr<Window> window;

    void open(bool serviceMode = false) {
        window = std::make_unique<Window>(dir.path(), db, clock, serviceMode);
    }
};

// The minutes of the events in the 16 rows ("07", "." for an empty row), blank-separated.
inline std::string pageMinutes(QWidget& window) {
    auto* grid = window.findChild<QTableWidget*>("sgUdalosti");
    std::string out;
    for (int r = 0; r < grid->rowCount(); ++r) {
        const std::string time = grid->item(r, 1)->text().toStdString();
        out += (r ? " " : "") + (time.empty() ? std::string(".") : time.substr(3, 2));
    }
    return out;
}

inline std::string cell(QWidget& window, int row, int column) {
    return window.findChild<QTableWidget*>("sgUdalosti")->item(row, column)->text().toStdString();
}

// The position label, then each navigation button's caption, or "-" when disabled.
inline std::string navigationState(QWidget& window) {
    std::string out = window.findChild<QLabel*>("laPozice")->text().toStdString();
    for (const char* name :
         {"sbPrvni", "sbPredchozi", "sbDalsi", "sbPosledni", "sbStrankaZpet", "sbStrankaVpred"}) {
        auto* b = window.findChild<QPushButton*>(name);
        out += " " + (b->isEnabled() ? b->text().toStdString() : std::string("-"));
    }
    return out;
}

inline void click(QWidget& window, const char* name) {
    auto* b = window.findChild<QAbstractButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

} // namespace qtr::test
