#include "attendance/attendance_events.h"

#include "attendance/attendance_time.h"
#include "events/event_file.h"
#include "events/event_load_note.h"
#include "events/event_table.h"

#include <algorithm>
#include <system_error>

namespace qtr {

std::string loadAttendanceEvents(EventTable& table, const std::filesystem::path& dir,
                                 const ControlUnitTable& units) {
    std::string note;
    table.clear();
    const std::filesystem::path file = dir / kEventFile;
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        const EventLoadResult loaded = table.load(file);
        note = eventLoadNote(loaded, table.count(), kEventFile);
    }
    table.sort(SortKind::TimeThenKey);
    table.keepAttendance(units);
    return note;
}

std::vector<KeyNumber> keysBookedInPeriod(const EventTable& table, DateTime from, DateTime to) {
    const DateTime first = dayOf(from);
    const DateTime afterLast = dayOf(to) + 1.0;
    std::vector<KeyNumber> keys;
    for (int i = 1; i <= table.count(); ++i) {
        const EventRecord e = table.at(i);
        if (e.timestamp >= first && e.timestamp < afterLast &&
            std::find(keys.begin(), keys.end(), e.keyNumber) == keys.end()) {
            keys.push_back(e.keyNumber);
        }
    }
    return keys;
}

} // namespace qtr
