#pragma once

#include "attendance/attendance_card.h"
#include "attendance/attendance_data.h"

namespace qtr {

// The corrections and checks of the card lines. Each reports what it finds in the
// line's note (at most 17 characters) and through its result; nothing is thrown for
// bad card content.

// Empties every line's note.
void clearNotes(AttendanceCard& card);
// Sets every line's duration to 0.
void clearDurations(AttendanceCard& card);

// With the card's fillMissing set, a shift line (code 1) missing its start gets the
// usual start on the day of its end ("obv.zač."), missing its end the usual end on
// the day of its start ("obv.kon."); other lines with a time missing are "#nelze",
// lines without times "#nemá směnu!". Without fillMissing: true, nothing changes.
bool fillMissing(AttendanceCard& card);
// shiftDay = the day of the start; a line without start is "#den směny".
bool setShiftDays(AttendanceCard& card);
// duration = end - start; "#nelze!" without both times, "#časy!" for an end before
// the start (the duration is then 0).
bool computeDurations(AttendanceCard& card);

struct LineFault {
    int column = 0; // 0 date, 1 start, 2 end
    int line = 0;   // 1-based; 0 when no fault was found
};

// Walks the lines in order against the latest time seen: "#směna" (no times),
// "#začátek"/"#začátek?" (start missing or before an earlier time), "#konec"/"#konec?";
// a line over midnight is "noční?" (shift line into the next day) or "#přesah dnů",
// which do not fail the check. With `stopAtFirst` it returns at the first fault with
// its column and line in `fault`; otherwise every line is checked and a later note
// on a line replaces an earlier one.
bool checkLines(AttendanceCard& card, bool stopAtFirst, LineFault* fault = nullptr);

// The check the card editor and the evaluation window run: notes and durations
// cleared, then fill missing, set shift days, compute durations and check lines
// (not stopping) must succeed one after the other; when they do not, the durations
// are cleared again.
bool checkCard(AttendanceCard& card);

// "UPRAVIT": after the shift days are set, the start of the first shift line of each
// shift day is rounded up by the first-arrival step and the end of the last shift line
// of each shift day down by the last-departure step; then every line whose start came
// to lie after its end is dropped. Returns whether a line was dropped.
bool roundFirstAndLast(AttendanceCard& card, const RoundingSteps& steps);

// A time rounded up to the next multiple of `step` minutes within its hour (a time
// already on one moves a whole step; past minute 59 it is the next full hour), or down
// to the multiple at or before it; seconds and milliseconds become 0. Steps below 2
// leave the time as it is.
DateTime roundUpToStep(DateTime time, int step);
DateTime roundDownToStep(DateTime time, int step);

} // namespace qtr
