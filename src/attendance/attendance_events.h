#pragma once

#include "base/date_time.h"
#include "base/key_number.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

class ControlUnitTable;
class EventTable;

// The attendance bookings as the card windows and qtr-cli's reports work on them:
// the event file of `dir` (QTR0005.DAT, when it exists) loaded into the table, sorted
// by time and key and reduced to the attendance events of the units. Returns what the
// operator should know about the file (eventLoadNote); empty when all of it was read.
std::string loadAttendanceEvents(EventTable& table, const std::filesystem::path& dir,
                                 const ControlUnitTable& units);

// The keys with bookings from the first day to the end of the last day, in the order
// of their first booking.
std::vector<KeyNumber> keysBookedInPeriod(const EventTable& table, DateTime from, DateTime to);

} // namespace qtr
