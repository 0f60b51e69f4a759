#pragma once

#include "db/access_schedule_record.h"

#include <optional>
#include <string>

namespace qtr {
class AccessScheduleTable;

// How the schedule editor keeps a schedule's segments: 1..segmentCount all in
// use, the slots after them zero, no two segments alike.

// The segments in use; a count above seven (a foreign file) is read as seven.
int usedSegments(const AccessScheduleRecord& schedule);

// Segment k (1-based) goes; the later ones move up and the freed last slot is zeroed.
void removeSegment(AccessScheduleRecord& schedule, int k);

// A segment edited in its dialog is written into slot k (raising the count when it
// lies beyond it); then it goes again when another segment is just like it, and
// every empty segment is removed, so the remaining ones close up.
void storeEditedSegment(AccessScheduleRecord& schedule, int k, const TimeSegment& segment);

// Whether segment box k (1..7) takes a click in an edit mode: the first always,
// any other once the segment before it is in use.
bool segmentBoxEnabled(const AccessScheduleRecord& schedule, int k);

// The check before a schedule is stored; `ownPosition` is its position when it is
// changed, 0 when it is new. The refusal's message, or nothing when it may be stored.
std::optional<std::string> checkSchedule(const AccessScheduleTable& schedules,
                                         const AccessScheduleRecord& schedule, int ownPosition);

// The lowest "Do" the segment dialog allows for a given "Od", so that a window
// never ends before it starts (one cannot run over midnight).
struct ToLimits {
    int hour = 0;
    int minute = 0;
};
ToLimits toLimits(int fromHour, int fromMinute, int toHour);

} // namespace qtr
