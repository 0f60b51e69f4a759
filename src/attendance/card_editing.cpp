#include "attendance/card_editing.h"

#include "attendance/attendance_time.h"
#include "attendance/card_text.h"

namespace qtr {
namespace {

const DateTime kLastSecond = encodeTime(23, 59, 59);

// The nearest time set before line i: an earlier line's end, else its start.
DateTime timeBefore(const AttendanceCard& card, int i) {
    for (int k = i - 1; k >= 1; --k) {
        const CardLine& l = card.line(k);
        if (l.end != 0.0) {
            return l.end;
        }
        if (l.start != 0.0) {
            return l.start;
        }
    }
    return 0.0;
}

// The nearest time set after line i: a later line's start, else its end.
DateTime timeAfter(const AttendanceCard& card, int i) {
    for (int k = i + 1; k <= card.lineCount(); ++k) {
        const CardLine& l = card.line(k);
        if (l.start != 0.0) {
            return l.start;
        }
        if (l.end != 0.0) {
            return l.end;
        }
    }
    return 0.0;
}

DateTime orElse(DateTime value, DateTime fallback) {
    return value != 0.0 ? value : fallback;
}

} // namespace

TimeChoice startChoice(const AttendanceCard& card, int i, const AttendanceCodeList& codes) {
    const CardLine& l = card.line(i);
    TimeChoice c;
    c.title = "Určit počátek pro: " + cardTimeText(l.end) + "-" + codes.codeName(l.code);
    c.lower = orElse(timeBefore(card, i), dayOf(card.dateFrom));
    c.upper = orElse(l.end, orElse(timeAfter(card, i), dayOf(card.dateTo) + kLastSecond));
    c.initial = orElse(l.start, dayOf(c.lower) + timeOfDay(card.usualStart));
    return c;
}

TimeChoice endChoice(const AttendanceCard& card, int i, const AttendanceCodeList& codes) {
    const CardLine& l = card.line(i);
    TimeChoice c;
    c.title = "Určit konec pro: " + cardTimeText(l.start) + "-" + codes.codeName(l.code);
    c.lower = orElse(l.start, orElse(timeBefore(card, i), dayOf(card.dateFrom)));
    c.upper = orElse(timeAfter(card, i), dayOf(card.dateTo) + kLastSecond);
    c.initial = orElse(l.end, dayOf(c.lower) + timeOfDay(card.usualEnd));
    return c;
}

void setLineCode(CardLine& line, int code, const AttendanceCard& card) {
    line.code = static_cast<std::uint8_t>(code);
    if ((code == 10 || code == 11) && line.start != 0.0 && line.end != 0.0) {
        line.start = dayOf(line.start) + timeOfDay(card.usualStart);
        line.end = dayOf(line.end) + timeOfDay(card.usualEnd);
    }
}

} // namespace qtr
