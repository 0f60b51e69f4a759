// "&Vyhodnotit docházku" and "Dochazkové karty" from the main menu: the card
// register and the bookings opened around the window, what the operator is told
// about the event file, and what KARTY.DAT holds after the window closed.

#include "app/main_window_fixture.h"
#include "attendance/attendance_files.h"
#include "attendance/card_register.h"
#include "attendance/forms/card_editor_form.h"
#include "attendance/forms/card_register_form.h"
#include "events/event_file.h"
#include "events/event_record.h"
#include "support/temp_dir.h"

#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <span>

namespace qtr {
namespace {

using ui::MessageAnswer;

const KeyNumber kJan = KeyNumber::parse("0100000012345A");

constexpr const char* kNoBookings = "Chybí originální události docházky!";

EventRecord booking(std::uint8_t unit, int hour, std::uint8_t code) {
    EventRecord e;
    e.unitAddress = unit;
    e.keyNumber = kJan;
    e.timestamp = encodeDate(2024, 5, 2) + encodeTime(hour, 0, 0);
    e.eventCode = code;
    return e;
}

// Jan's departure before his arrival in the file, and bookings that are no
// attendance: an unknown unit, a refused booking (result 1), an input.
const std::vector<EventRecord> kBookings = {booking(0x02, 14, 4), booking(0x05, 10, 2),
                                            booking(0x02, 6, 0), booking(0x02, 11, 0x13),
                                            booking(0x02, 12, 8)};

std::vector<std::uint8_t> eventFile(const std::vector<EventRecord>& events) {
    std::vector<std::uint8_t> bytes(events.size() * EventRecord::kSize);
    for (std::size_t i = 0; i < events.size(); ++i) {
        events[i].toBytes(std::span(bytes).subspan(i * EventRecord::kSize, EventRecord::kSize));
    }
    return bytes;
}

struct AttendanceMenuTest : test::MainWindowTest {
    void SetUp() override {
        MainWindowTest::SetUp();
        ControlUnitRecord terminal;
        terminal.address = 0x02;
        terminal.unitType = kUnitAttendance;
        terminal.usage = 1;
        db.units.current() = terminal;
        ASSERT_TRUE(db.units.append());
        db.keyHolders.newRecord();
        db.keyHolders.current().keyNumber = kJan;
        db.keyHolders.current().holderName.setText("Jan Novák");
        ASSERT_TRUE(db.keyHolders.append());
        // The main window reads the configuration as it starts.
        ASSERT_TRUE(saveConfiguration(db, dir.path()).empty());
        attendance.codeList = AttendanceCodeList::defaults();
        attendance.card.applyPattern(ShiftPattern::Morning);
        attendance.card.keyNumber = kJan;
        attendance.card.dateFrom = encodeDate(2024, 5, 1);
        attendance.card.dateTo = encodeDate(2024, 5, 3);
        start();
        logIn("demo", "demo1234");
    }

    // The cards of KARTY.DAT as the program left it.
    std::vector<AttendanceCard> storedCards() {
        CardRegister reg;
        std::vector<AttendanceCard> cards;
        EXPECT_TRUE(reg.open(dir / kCardRegisterFile));
        EXPECT_TRUE(reg.readAll(cards));
        return cards;
    }

    // In the card editor: "Originální data" confirmed, then the window closed with
    // `closeWith`; the date, start and end of the grid's first two rows go to `rows`.
    static std::function<void(QDialog&)> buildAndClose(const char* closeWith, std::string& rows) {
        return [closeWith, &rows](QDialog& d) {
            d.findChild<QPushButton*>("btOriginal")->click();
            const auto* grid = d.findChild<QTableWidget*>("StringGrid1");
            rows.clear();
            for (int r = 0; r < 2; ++r) {
                for (int c = 0; c < 3; ++c) {
                    rows += grid->item(r, c)->text().toStdString() + (c < 2 ? "|" : ";");
                }
            }
            d.findChild<QPushButton*>(closeWith)->click();
        };
    }
};

TEST_F(AttendanceMenuTest, EvaluationSaysWhatTheEventFileHeldAndBuildsFromItsAttendanceBookings) {
    const auto over = [] {
        auto bytes = eventFile(kBookings);
        bytes.resize(65536 * EventRecord::kSize); // zeros: no unit of the installation
        return bytes;
    };
    const auto partial = [] {
        auto bytes = eventFile(kBookings);
        bytes.resize(bytes.size() + 7, 0xEE);
        return bytes;
    };
    const struct {
        const char* name;
        std::optional<std::vector<std::uint8_t>> file;
        const char* note;
        const char* rows; // of the card built from the bookings
    } cases[] = {
        {"no file", std::nullopt, nullptr, nullptr},
        {"nothing for attendance", eventFile({kBookings[1], kBookings[3], kBookings[4]}), nullptr,
         nullptr},
        {"whole", eventFile(kBookings), nullptr, "|02.05. 06:00|02.05. 14:00;||;"},
        {"partial record", partial(),
         "Soubor QTR0005.DAT končí neúplným záznamem (7 B), který nebyl načten.",
         "|02.05. 06:00|02.05. 14:00;||;"},
        {"over-long", over(),
         "Soubor QTR0005.DAT obsahuje 65536 událostí, načteno je prvních 65535.",
         "|02.05. 06:00|02.05. 14:00;||;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(dir / kEventFile);
        std::filesystem::remove(dir / kCardRegisterFile);
        if (c.file) {
            test::writeBytes(dir / kEventFile, *c.file);
        }
        attendance.card.removeAllLines();
        if (c.note != nullptr) {
            ui.expectMessage(c.note);
        }
        std::string rows;
        ui.expectDialog("TDM00000", [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Vyhodnocení docházkových karet");
            EXPECT_EQ(d.findChild<QPushButton*>("laPro")->text(), "Jan Novák");
            // The register is open (created) while the window is.
            EXPECT_TRUE(std::filesystem::exists(dir / kCardRegisterFile));
            if (c.rows == nullptr) {
                ui.expectMessage(kNoBookings); // as the editor opens
                ui.expectMessage("Originální data", MessageAnswer::Yes);
                ui.expectMessage(kNoBookings);
            } else {
                ui.expectMessage("Originální data", MessageAnswer::Yes);
            }
            ui.expectDialog("TDM00006", buildAndClose("btPouzit", rows));
            d.findChild<QPushButton*>("laKarta")->click();
        });
        const std::size_t before = ui.shown().size();
        action("miVyhodnotit")->trigger();
        if (c.note != nullptr) {
            ASSERT_GT(ui.shown().size(), before);
            EXPECT_EQ(ui.shown()[before].text, c.note);
            EXPECT_EQ(ui.shown()[before].icon, ui::MessageIcon::Warning);
        }
        EXPECT_EQ(rows, c.rows != nullptr ? c.rows : "||;||;");
        const auto cards = storedCards();
        ASSERT_EQ(cards.size(), 1u);
        EXPECT_EQ(cards[0].lineCount(), c.rows != nullptr ? 1 : 0);
        EXPECT_EQ(test::readBytes(dir / kEventFile), c.file.value_or(std::vector<std::uint8_t>{}))
            << "the event file is only read";
    }
}

TEST_F(AttendanceMenuTest, TheRegisterKeepsWhatPouzitSavesAndNothingOfPrerusit) {
    test::writeBytes(dir / kEventFile, eventFile(kBookings));
    {
        CardRegister reg;
        ASSERT_TRUE(reg.open(dir / kCardRegisterFile));
        ASSERT_TRUE(reg.append(attendance.card));
    }
    const std::vector<std::uint8_t> empty = test::readBytes(dir / kCardRegisterFile);
    for (const auto& [closeWith, stored] : {std::pair{"btPrerusit", 0}, std::pair{"btPouzit", 1}}) {
        SCOPED_TRACE(closeWith);
        attendance.card.removeAllLines();
        std::string rows;
        ui.expectDialog("TDM00007", [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Rozpracované docházkové karty");
            auto& reg = dynamic_cast<TDM00007&>(d);
            ASSERT_EQ(d.findChild<QListWidget*>("ListBox1")->count(), 1);
            reg.ListBox1Click(0);
            ui.expectMessage("Originální data", MessageAnswer::Yes);
            ui.expectDialog("TDM00006", buildAndClose(closeWith, rows));
            d.findChild<QPushButton*>("btUdalosti")->click();
        });
        action("miKarty")->trigger();
        EXPECT_EQ(rows, "|02.05. 06:00|02.05. 14:00;||;");
        // Edits left by "přerušit" stay in the working card, not in the register.
        EXPECT_EQ(attendance.card.lineCount(), 1);
        const auto cards = storedCards();
        ASSERT_EQ(cards.size(), 1u) << "saved over its record, never added";
        EXPECT_EQ(cards[0].lineCount(), stored);
        if (stored == 0) {
            EXPECT_EQ(test::readBytes(dir / kCardRegisterFile), empty);
        } else {
            EXPECT_EQ(cards[0].line(1).start, encodeDate(2024, 5, 2) + encodeTime(6, 0, 0));
        }
    }
}

TEST_F(AttendanceMenuTest, ADamagedRegisterIsSaidAndKeptBeforeItIsWritten) {
    {
        CardRegister reg;
        ASSERT_TRUE(reg.open(dir / kCardRegisterFile));
        ASSERT_TRUE(reg.append(attendance.card));
    }
    auto damaged = test::readBytes(dir / kCardRegisterFile);
    damaged.resize(damaged.size() + 100, 0x55);
    test::writeBytes(dir / kCardRegisterFile, damaged);
    ui.expectMessage("Soubor KARTY.DAT je poškozen");
    ui.expectDialog("TDM00007", [&](QDialog& d) {
        auto& reg = dynamic_cast<TDM00007&>(d);
        ASSERT_EQ(d.findChild<QListWidget*>("ListBox1")->count(), 1);
        reg.ListBox1Click(0);
        ui.expectMessage(kNoBookings);
        ui.expectDialog("TDM00006",
                        [](QDialog& e) { e.findChild<QPushButton*>("btPouzit")->click(); });
        d.findChild<QPushButton*>("btUdalosti")->click();
    });
    action("miKarty")->trigger();
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().front().icon, ui::MessageIcon::Error);
    EXPECT_TRUE(
        ui.shown().front().text.endsWith(" Původní soubor je uschován jako KARTY.DAT.bak."));
    EXPECT_EQ(std::filesystem::file_size(dir / kCardRegisterFile), AttendanceCard::kSize);
    EXPECT_EQ(test::readBytes(dir / "KARTY.DAT.bak"), damaged);
}

} // namespace
} // namespace qtr
