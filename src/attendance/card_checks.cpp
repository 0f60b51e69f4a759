#include "attendance/card_checks.h"

#include "attendance/attendance_time.h"

namespace qtr {

void clearNotes(AttendanceCard& card) {
    for (int i = 1; i <= card.lineCount(); ++i) {
        card.line(i).note.setText("");
    }
}

void clearDurations(AttendanceCard& card) {
    for (int i = 1; i <= card.lineCount(); ++i) {
        card.line(i).duration = 0.0;
    }
}

bool fillMissing(AttendanceCard& card) {
    if (card.fillMissing == 0) {
        return true;
    }
    bool ok = true;
    for (int i = 1; i <= card.lineCount(); ++i) {
        CardLine& l = card.line(i);
        if (l.start == 0.0 && l.end == 0.0) {
            l.duration = 0.0;
            l.note.setText("#nemá směnu!");
            ok = false;
        } else if (l.start == 0.0) {
            if (l.code == 1) {
                l.start = dayOf(l.end) + timeOfDay(card.usualStart);
                l.note.setText("obv.zač.");
            } else {
                l.note.setText("#nelze");
                ok = false;
            }
        } else if (l.end == 0.0) {
            if (l.code == 1) {
                l.end = dayOf(l.start) + timeOfDay(card.usualEnd);
                l.note.setText("obv.kon.");
            } else {
                l.note.setText("#nelze");
                ok = false;
            }
        }
    }
    return ok;
}

bool setShiftDays(AttendanceCard& card) {
    bool ok = true;
    for (int i = 1; i <= card.lineCount(); ++i) {
        CardLine& l = card.line(i);
        if (l.start != 0.0) {
            l.shiftDay = dayOf(l.start);
        } else {
            l.note.setText("#den směny");
            ok = false;
        }
    }
    return ok;
}

bool computeDurations(AttendanceCard& card) {
    bool ok = true;
    for (int i = 1; i <= card.lineCount(); ++i) {
        CardLine& l = card.line(i);
        if (l.start == 0.0 || l.end == 0.0) {
            l.duration = 0.0;
            l.note.setText("#nelze!");
            ok = false;
        } else if (l.end < l.start) {
            l.duration = 0.0;
            l.note.setText("#časy!");
            ok = false;
        } else {
            l.duration = l.end - l.start;
        }
    }
    return ok;
}

bool checkLines(AttendanceCard& card, bool stopAtFirst, LineFault* fault) {
    bool ok = true;
    DateTime latest = 0.0;
    // Notes the fault; true when the walk is to stop here.
    const auto fails = [&](CardLine& l, const char* text, int column, int line) {
        l.note.setText(text);
        if (ok && fault != nullptr) {
            *fault = {column, line};
        }
        ok = false;
        return stopAtFirst;
    };
    for (int i = 1; i <= card.lineCount(); ++i) {
        CardLine& l = card.line(i);
        if (l.start == 0.0 && l.end == 0.0) {
            if (fails(l, "#směna", 0, i)) {
                return false;
            }
            continue;
        }
        if (l.start == 0.0) {
            if (fails(l, "#začátek", 1, i)) {
                return false;
            }
        } else {
            if (l.start < latest && fails(l, "#začátek?", 1, i)) {
                return false;
            }
            latest = l.start;
        }
        if (l.end == 0.0) {
            if (fails(l, "#konec", 2, i)) {
                return false;
            }
        } else {
            if (l.end < latest && fails(l, "#konec?", 2, i)) {
                return false;
            }
            latest = l.end;
        }
        // Only a line with both times can reach over midnight; a missing time keeps its note.
        if (l.start != 0.0 && l.end != 0.0 && dayOf(l.start) != dayOf(l.end)) {
            l.note.setText(dayOf(l.start) + 1.0 == dayOf(l.end) && l.code == 1 ? "noční?"
                                                                               : "#přesah dnů");
        }
    }
    return ok;
}

bool checkCard(AttendanceCard& card) {
    clearNotes(card);
    clearDurations(card);
    const bool ok = fillMissing(card) && setShiftDays(card) && computeDurations(card) &&
                    checkLines(card, false);
    if (!ok) {
        clearDurations(card);
    }
    return ok;
}

namespace {

// The day and the hours and minutes of a time, or false for a value no date is made of.
bool split(DateTime time, DateTime& day, int& hour, int& minute) {
    if (!isCalendarValue(time) || time < 0) {
        return false;
    }
    const CivilDateTime c = decodeDateTime(time);
    day = encodeDate(c.year, c.month, c.day);
    hour = c.hour;
    minute = c.minute;
    return true;
}

} // namespace

DateTime roundUpToStep(DateTime time, int step) {
    DateTime day = 0;
    int hour = 0;
    int minute = 0;
    if (step <= 1 || !split(time, day, hour, minute)) {
        return time;
    }
    minute = step * (minute / step) + step;
    if (minute > 59) {
        minute = 0;
        ++hour; // 24:00 is midnight of the next day
    }
    return day + encodeTime(hour, minute, 0);
}

DateTime roundDownToStep(DateTime time, int step) {
    DateTime day = 0;
    int hour = 0;
    int minute = 0;
    if (step <= 1 || !split(time, day, hour, minute)) {
        return time;
    }
    minute = step * (minute / step);
    return day + encodeTime(hour, minute, 0);
}

bool roundFirstAndLast(AttendanceCard& card, const RoundingSteps& steps) {
    (void)setShiftDays(card);
    const int n = card.lineCount();
    for (int i = 1; i <= n; ++i) {
        CardLine& l = card.line(i);
        if (l.start != 0.0 && l.code == 1 && (i == 1 || l.shiftDay != card.line(i - 1).shiftDay)) {
            l.start = roundUpToStep(l.start, steps.firstArrivalStep);
        }
    }
    for (int i = 1; i <= n; ++i) {
        CardLine& l = card.line(i);
        if (l.end != 0.0 && l.code == 1 && (i == n || l.shiftDay != card.line(i + 1).shiftDay)) {
            l.end = roundDownToStep(l.end, steps.lastDepartureStep);
        }
    }
    bool dropped = false;
    for (int i = n; i >= 1; --i) {
        const CardLine& l = card.line(i);
        if (l.start != 0.0 && l.end != 0.0 && l.start > l.end) {
            card.deleteLine(i);
            dropped = true;
        }
    }
    return dropped;
}

} // namespace qtr
