#include "attendance/card_text.h"

#include "attendance/attendance_time.h"
#include "attendance/report_texts.h"
#include "docs/report_text.h"

namespace qtr {

std::string calendarText(std::string_view pattern, DateTime value) {
    return isCalendarValue(value) ? formatDateTime(pattern, value) : "?";
}

std::string setTimeText(std::string_view pattern, DateTime value) {
    return value == 0.0 ? "" : calendarText(pattern, value);
}

std::string timeOfDayText(DateTime value) {
    return calendarText("hh:nn", timeOfDay(value));
}

std::string cardDateText(DateTime day) {
    return calendarText("dd.mm.yyyy", day);
}

std::string shiftDayText(DateTime day) {
    return setTimeText("dd.mm.yyyy ddd", day);
}

std::string cardTimeText(DateTime time) {
    return setTimeText("dd.mm. hh:nn", time);
}

std::string cardDurationText(DateTime duration) {
    const int m = minutesOf(duration);
    if (m < 0) {
        return "?";
    }
    const std::string clock = clockText(m % 1440);
    return m >= 1440 ? "#" + std::to_string(m / 1440) + ":" + clock : clock;
}

std::string usualStartText(const AttendanceCard& card) {
    return "Obvykle od: " + timeOfDayText(card.usualStart);
}

std::string usualEndText(const AttendanceCard& card) {
    return "Obvykle do: " + timeOfDayText(card.usualEnd);
}

std::string fillMissingText(const AttendanceCard& card) {
    return card.fillMissing != 0 ? "doplňovat chybějící" : "chybějící nedoplňovat";
}

std::string registerListLine(const std::string& holderName, const AttendanceCard& card) {
    return padRight(holderName + " " + calendarText("dd.mm.", card.dateFrom) + "-" +
                        calendarText("dd.mm.", card.dateTo),
                    44) +
           " " + card.keyNumber.text();
}

KeyNumber keyOfRegisterLine(const std::string& line) {
    // Characters, not bytes: a name with Czech letters takes more bytes than characters.
    const std::string key = padRight(line, 59).substr(padRight(line, 45).size());
    return isWellFormedKeyText(key) ? KeyNumber::parse(key) : KeyNumber{};
}

std::vector<std::string> cardListing(const AttendanceCard& card, const AttendanceCodeList& codes) {
    std::vector<std::string> lines;
    lines.push_back(
        "Řádek Datum          Začátek       Konec         Doba   Druh                 Poznámka");
    for (int i = 1; i <= card.lineCount(); ++i) {
        const CardLine& l = card.line(i);
        std::string row = padLeft(std::to_string(i), 5) + " " +
                          padRight(shiftDayText(l.shiftDay), 15) +
                          padRight(cardTimeText(l.start), 14) + padRight(cardTimeText(l.end), 14) +
                          padRight(cardDurationText(l.duration), 7) +
                          padRight(codes.codeName(l.code), 21) + l.note.text();
        row.erase(row.find_last_not_of(' ') + 1);
        lines.push_back(std::move(row));
    }
    return lines;
}

} // namespace qtr
