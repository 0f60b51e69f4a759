#pragma once

#include "attendance/attendance_card.h"

#include <functional>

namespace qtr {

class EventTable;

// The nearest time set before line i, scanning back: an earlier line's end, else its
// start; 0 when there is none. i may be one past the last line.
DateTime timeBeforeLine(const AttendanceCard& card, int i);
// The nearest time set after line i: a later line's start, else its end; 0 when there
// is none. i may be 0.
DateTime timeAfterLine(const AttendanceCard& card, int i);

// The start of the card's first line that has a time (its end when it has no start),
// 0 for a card without times.
DateTime firstTimeOfCard(const AttendanceCard& card);
// Scanning back from the last line: the first end that is set (the start of that line
// when it has no end), 0 for a card without times.
DateTime lastTimeOfCard(const AttendanceCard& card);

struct EventBuildResult {
    int eventsUsed = 0;
    int linesAdded = 0;
    // An event needed a new line and all 300 were in use: building stopped at it,
    // and it and every later event were left out.
    bool cardFull = false;
    // The operator stopped it: the events from the first time stamp after the last
    // one used were left for the next build, which goes on after the last time on
    // the card.
    bool interrupted = false;
};

// "Originální data": appends the attendance bookings of the card's key holder to the
// card. The table holds the attendance events sorted by time and key. Used are the
// events of the card's key from the first day of the card to midnight after its last
// day that are later than everything already on the card, each unless byte for byte
// the same as the event used before it; the reader (bits 0-2 of the event code)
// decides: 0 arrival opens a shift line (and closes an open line of the same day),
// 1 business, 2 doctor, 3 break and 5 reader 5 close the open line and open a line of
// code 2, 3, 4, 5; 4 departure closes the open line (a departure without arrival
// becomes a shift line with no start). `goOn` runs before every event walked (to show
// progress); when it returns false the building stops at the first booking later
// than the last one used.
EventBuildResult buildFromEvents(AttendanceCard& card, const EventTable& events,
                                 const std::function<bool()>& goOn = {});

// "Konstantní data": one shift line per day of the card with the usual times (Saturdays
// and Sundays only with `includeWeekends`, holidays always), until the card is full;
// the card is then marked as planned. Returns the number of lines added.
int buildFromUsualShift(AttendanceCard& card, bool includeWeekends);

} // namespace qtr
