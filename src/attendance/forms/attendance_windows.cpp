#include "attendance/forms/attendance_windows.h"

#include "attendance/attendance_events.h"
#include "attendance/attendance_files.h"
#include "attendance/forms/card_register_form.h"
#include "attendance/forms/code_list_form.h"
#include "attendance/forms/evaluation_form.h"
#include "attendance/report_layout.h"
#include "db/configuration_database.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/ui_services.h"

#include <memory>

namespace qtr::attendance {
namespace {

// The bracket of the card windows; null when the register cannot be opened.
std::unique_ptr<AttendanceSession> openSession(AttendanceData& data, ConfigurationDatabase& db,
                                               HolidayTable& holidays,
                                               const std::filesystem::path& dir,
                                               const Clock& clock) {
    auto session = std::unique_ptr<AttendanceSession>(
        new AttendanceSession{data, db, holidays, dir, clock, CardRegister{}, EventTable{}});
    if (FileResult r = session->cards.open(dir / kCardRegisterFile); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
        if (!session->cards.isOpen()) {
            return nullptr;
        }
    }
    if (const std::string note = loadAttendanceEvents(session->events, dir, db.units);
        !note.empty()) {
        ui::messageOk(ui::toQ(note), {}, u'!');
    }
    return session;
}

} // namespace

void checkRowDefinition(AttendanceData& data) {
    for (const DroppedColumn& d : qtr::checkRowDefinition(data.rowDefinition, data.codeList)) {
        ui::messageOk(ui::toQ(droppedColumnText(d)), ui::toQ(kDroppedColumnTitle), u'!');
    }
}

void editCodeList(AttendanceData& data, const std::filesystem::path& dir, const Clock& clock,
                  QWidget* parent) {
    {
        TDM00001 codes(data, dir, clock, false, parent);
        ui::execModal(codes);
    }
    checkRowDefinition(data);
}

FileResult runCodeList(AttendanceData& data, const std::filesystem::path& dir, const Clock& clock,
                       QWidget* parent) {
    editCodeList(data, dir, clock, parent);
    return saveCodeList(dir / kCodeListFile, data.codeList);
}

void runCardRegister(AttendanceData& data, ConfigurationDatabase& db, HolidayTable& holidays,
                     const std::filesystem::path& dir, const Clock& clock, QWidget* parent) {
    if (const auto session = openSession(data, db, holidays, dir, clock)) {
        TDM00007 cards(*session, false, parent);
        ui::execModal(cards);
    }
}

void runEvaluation(AttendanceData& data, ConfigurationDatabase& db, HolidayTable& holidays,
                   const std::filesystem::path& dir, const Clock& clock, QWidget* parent) {
    if (const auto session = openSession(data, db, holidays, dir, clock)) {
        TDM00000 evaluation(*session, parent);
        ui::execModal(evaluation);
    }
}

} // namespace qtr::attendance
