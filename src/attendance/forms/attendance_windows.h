#pragma once

// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "attendance/attendance_data.h"
#include "attendance/card_register.h"
#include "base/clock.h"
#include "base/file_result.h"
#include "events/event_table.h"
#endif

#include <filesystem>

class QWidget;

namespace qtr {

struct ConfigurationDatabase;
class HolidayTable;

// What the card windows work on while one of them is open: the attendance data of
// the run, the key holders, the holiday table, and the card register and the
// attendance bookings, which live as long as the window that opened them.
struct AttendanceSession {
    AttendanceData& data;
    ConfigurationDatabase& db;
    HolidayTable& holidays;
    std::filesystem::path dir;
    const Clock& clock;
    CardRegister cards;
    EventTable events;
};

// The attendance functions of the main menu and the pieces the card windows share.
namespace attendance {

// After the code list changed: the columns of codes that are gone are dropped from
// the report row, each with the warning "VYPUŠTĚNÍ POLOŽKY".
void checkRowDefinition(AttendanceData& data);

// TDM00001 in normal mode, then the row-definition check.
void editCodeList(AttendanceData& data, const std::filesystem::path& dir, const Clock& clock,
                  QWidget* parent);

// "Číselník docházky": the code list editor; DRUHPRAC.DAT is saved when it closes,
// so that a program that ends abnormally does not lose the changes.
FileResult runCodeList(AttendanceData& data, const std::filesystem::path& dir, const Clock& clock,
                       QWidget* parent);

// "Dochazkové karty" and "&Vyhodnotit docházku": KARTY.DAT opened and the attendance
// bookings loaded (what the operator should know about them is said first), then
// TDM00007 or TDM00000; both are released when the window closes.
void runCardRegister(AttendanceData& data, ConfigurationDatabase& db, HolidayTable& holidays,
                     const std::filesystem::path& dir, const Clock& clock, QWidget* parent);
void runEvaluation(AttendanceData& data, ConfigurationDatabase& db, HolidayTable& holidays,
                   const std::filesystem::path& dir, const Clock& clock, QWidget* parent);

} // namespace attendance
} // namespace qtr
