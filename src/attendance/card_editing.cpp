#include "attendance/card_editing.h"

#include "attendance/attendance_time.h"
#include "attendance/card_building.h"
#include "attendance/card_text.h"

namespace qtr {
namespace {

const DateTime kLastSecond = encodeTime(23, 59, 59);

DateTime orElse(DateTime value, DateTime fallback) {
    return value != 0.0 ? value : fallback;
}

} // namespace

TimeChoice startChoice(const AttendanceCard& card, int i, const AttendanceCodeList& codes) {
    const CardLine& l = card.line(i);
    TimeChoice c;
    c.title = "Určit počátek pro: " + cardTimeText(l.end) + "-" + codes.codeName(l.code);
    c.lower = orElse(timeBeforeLine(card, i), dayOf(card.dateFrom));
    c.upper = orElse(l.end, orElse(timeAfterLine(card, i), dayOf(card.dateTo) + kLastSecond));
    c.initial = orElse(l.start, dayOf(c.lower) + timeOfDay(card.usualStart));
    return c;
}

TimeChoice endChoice(const AttendanceCard& card, int i, const AttendanceCodeList& codes) {
    const CardLine& l = card.line(i);
    TimeChoice c;
    c.title = "Určit konec pro: " + cardTimeText(l.start) + "-" + codes.codeName(l.code);
    c.lower = orElse(l.start, orElse(timeBeforeLine(card, i), dayOf(card.dateFrom)));
    c.upper = orElse(timeAfterLine(card, i), dayOf(card.dateTo) + kLastSecond);
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
