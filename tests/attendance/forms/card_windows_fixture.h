#pragma once

// The card windows on a session of their own: two key holders, an open card
// register in the test's directory and an event table the test fills.

#include "attendance/attendance_files.h"
#include "attendance/forms/attendance_forms_fixture.h"
#include "attendance/forms/attendance_windows.h"
#include "attendance/forms/card_editor_form.h"
#include "calendar/holiday_table.h"
#include "db/configuration_database.h"

#include <memory>

namespace qtr::test {

inline constexpr const char* kJan = "0100000012345A";
inline constexpr const char* kEva = "0200000012345B";

inline DateTime at(const char* text) {
    DateTime d = 0;
    EXPECT_TRUE(parseDateTime(text, d)) << text;
    return d;
}

inline CardLine line(const char* start, const char* end, int code = 1) {
    CardLine l;
    l.start = start[0] != 0 ? at(start) : 0.0;
    l.end = end[0] != 0 ? at(end) : 0.0;
    l.code = static_cast<std::uint8_t>(code);
    return l;
}

struct CardWindows : AttendanceWindowTest {
    ConfigurationDatabase db;
    HolidayTable holidays;
    std::unique_ptr<AttendanceSession> session;

    void SetUp() override {
        AttendanceWindowTest::SetUp();
        for (auto [key, name] : {std::pair{kJan, "Jan Novák"}, std::pair{kEva, "Eva Malá"}}) {
            db.keyHolders.newRecord();
            db.keyHolders.current().keyNumber = KeyNumber::parse(key);
            db.keyHolders.current().holderName.setText(name);
            ASSERT_TRUE(db.keyHolders.append());
        }
        session.reset(new AttendanceSession{data, db, holidays, dir.path(), clock, CardRegister{},
                                            EventTable{}});
        ASSERT_TRUE(session->cards.open(dir / kCardRegisterFile));
    }

    // Jan's card of 1.-3.5.2024, 06:00-14:00, with the lines given.
    AttendanceCard janCard(std::initializer_list<CardLine> lines) {
        AttendanceCard card;
        card.applyPattern(ShiftPattern::Morning);
        card.keyNumber = KeyNumber::parse(kJan);
        card.dateFrom = at("01.05.2024");
        card.dateTo = at("03.05.2024");
        for (const CardLine& l : lines) {
            card.appendLine(l);
        }
        return card;
    }

    // The card editor on the working card; without bookings it warns first.
    std::unique_ptr<TDM00006> editor() {
        ui.expectMessage("Chybí originální události docházky!");
        return std::make_unique<TDM00006>(*session, "Jan Novák");
    }
};

} // namespace qtr::test
