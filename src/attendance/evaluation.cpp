#include "attendance/evaluation.h"

#include "attendance/attendance_time.h"
#include "attendance/card_checks.h"
#include "calendar/holiday_table.h"

#include <bitset>
#include <string>

namespace qtr {

int CodeSumList::find(int code) const {
    for (int i = 1; i <= count_; ++i) {
        if (at(i).code == code) {
            return i;
        }
    }
    return 0;
}

CodeSum* CodeSumList::add(int code, std::int32_t minutes) {
    if (const int i = find(code); i != 0) {
        CodeSum& e = entries_[static_cast<std::size_t>(i - 1)];
        e.minutes += minutes;
        return &e;
    }
    if (!append({static_cast<std::uint8_t>(code), minutes})) {
        return nullptr;
    }
    return &entries_[static_cast<std::size_t>(count_ - 1)];
}

std::int32_t CodeSumList::get(int code) const {
    const int i = find(code);
    return i == 0 ? 0 : at(i).minutes;
}

bool CodeSumList::set(int code, std::int32_t minutes) {
    const int i = find(code);
    if (i == 0) {
        return false;
    }
    entries_[static_cast<std::size_t>(i - 1)].minutes = minutes;
    return true;
}

bool CodeSumList::append(const CodeSum& entry) {
    if (count_ >= kCapacity) {
        return false;
    }
    entries_[count_++] = entry;
    return true;
}

HolidayQuery holidayQuery(HolidayTable& holidays) {
    return [&holidays](DateTime day) { return holidays.IsHoliday(day); };
}

bool intervalValid(DateTime from, DateTime to) {
    if (!isCalendarValue(from) || !isCalendarValue(to)) {
        return false;
    }
    const DateTime f = dayOf(from);
    const DateTime t = dayOf(to);
    if (f == t) {
        return true;
    }
    if (f > t || t - f > 31) {
        return false;
    }
    // Days share a day row when they share the day of month: not only the two ends
    // (1.3.-1.4.) but days inside too (31.1.-1.3. holds 1.2. and 1.3.).
    std::bitset<32> seen;
    for (DateTime d = f; d <= t; d += 1.0) {
        const int dom = dayOfMonth(d);
        if (seen[static_cast<std::size_t>(dom)]) {
            return false;
        }
        seen.set(static_cast<std::size_t>(dom));
    }
    return true;
}

bool intervalsOverlap(DateTime cardFrom, DateTime cardTo, DateTime periodFrom, DateTime periodTo) {
    const DateTime cf = dayOf(cardFrom);
    const DateTime ct = dayOf(cardTo);
    const DateTime pf = dayOf(periodFrom);
    const DateTime pt = dayOf(periodTo);
    return pf <= pt && cf <= ct && cf <= pt && ct >= pf;
}

namespace {

constexpr const char* kSumFull = "###chyba sčítání!";

void setNote(CardLine& line, DaySummary& day, const char* text) {
    line.note.setText(text);
    day.note.setText(text);
}

// Adds a line's minutes to its day; with `limited` the code's daily maximum applies.
void addToDay(CardLine& line, DaySummary& day, const AttendanceCodeList& codes, int minutes,
              bool limited) {
    if (day.firstStart == 0.0) {
        day.firstStart = line.start;
    }
    day.lastEnd = line.end;
    const AttendanceCodeRecord* code = codes.record(line.code);
    if (code == nullptr) {
        // Marked on the day as well, so that the report does not hide the lost minutes.
        setNote(line, day, "#číselník!");
        return;
    }
    CodeSum* sum = day.codeSums.add(line.code, minutes);
    if (sum == nullptr) {
        setNote(line, day, kSumFull);
        return;
    }
    const DateTime maximum = timeOfDay(code->maximum);
    if (limited && maximum != 0.0 && minutesOf(maximum) < sum->minutes) {
        sum->minutes = minutesOf(maximum);
        setNote(line, day, "omez.");
    }
}

// The usual shift's length in minutes; over midnight when the end is earlier than the start.
int shiftLength(const AttendanceCard& card) {
    long long ms = millisecondsOfDay(card.usualEnd) - millisecondsOfDay(card.usualStart);
    if (ms < 0) {
        ms += 86400000;
    }
    return static_cast<int>(ms / 60000);
}

void sumDay(DaySummary& day, const AttendanceCodeList& codes) {
    std::int32_t performance = 0;
    for (int i = 1; i <= day.codeSums.count(); ++i) {
        const CodeSum& s = day.codeSums.at(i);
        const AttendanceCodeRecord* code = codes.record(s.code);
        if (code != nullptr && code->counts()) {
            performance += s.minutes;
        }
    }
    day.performanceMinutes = performance;
    day.balanceMinutes = performance - day.normMinutes;
}

} // namespace

bool evaluate(AttendanceCard& card, const AttendanceCodeList& codes, const HolidayQuery& isHoliday,
              EvaluationResult& result) {
    const DateTime from = result.periodFrom;
    const DateTime to = result.periodTo;
    if (!intervalValid(from, to)) {
        return false;
    }
    result.planText.setText("bez plánu práce " + std::to_string(card.planFlag));

    const int norm = shiftLength(card);
    for (DateTime d = from; d <= to; d += 1.0) {
        DaySummary& day = result.day(dayOfMonth(d));
        const int weekday = dayOfWeek(d); // 1 Sunday .. 7 Saturday
        if (weekday == 1) {
            day.dayType = 'n';
        } else if (weekday == 7) {
            day.dayType = 's';
        } else if (isHoliday && isHoliday(d)) {
            day.remark.setText("sv.");
            day.dayType = 'S';
        } else {
            day.normMinutes = norm;
        }
    }

    bool ok = true;
    for (int i = 1; i <= card.lineCount(); ++i) {
        CardLine& line = card.line(i);
        if (!(line.shiftDay >= from && line.shiftDay <= to)) {
            continue;
        }
        DaySummary& day = result.day(dayOfMonth(line.shiftDay));
        const DateTime startDay = dayOf(line.start);
        const DateTime endDay = dayOf(line.end);
        if (startDay == endDay) {
            addToDay(line, day, codes, minutesOf(timeOfDay(line.duration)), true);
        } else if (startDay + 1.0 == endDay && line.code == 1) {
            line.note.setText("noční");
            addToDay(line, day, codes, minutesOf(line.duration), false);
            day.note.setWin1250(line.note.win1250());
        } else {
            line.note.setText("#přesah dnů");
            ok = false;
            day.firstStart = line.start;
            day.lastEnd = line.end;
            day.note.setWin1250(line.note.win1250());
        }
    }

    summarizePeriod(result, codes);
    return ok;
}

void summarizePeriod(EvaluationResult& result, const AttendanceCodeList& codes) {
    result.totalNormMinutes = 0;
    result.totalPerformanceMinutes = 0;
    result.totalCodeSums.clear();
    if (intervalValid(result.periodFrom, result.periodTo)) {
        for (DateTime d = result.periodFrom; d <= result.periodTo; d += 1.0) {
            DaySummary& day = result.day(dayOfMonth(d));
            sumDay(day, codes);
            if (day.performanceMinutes > 0) {
                switch (day.dayType) {
                case 'n':
                    day.remark.setText("neděle!");
                    break;
                case 's':
                    day.remark.setText("sobota!");
                    break;
                case 'S':
                    day.remark.setText("svátek!");
                    break;
                default:
                    break;
                }
            }
            result.totalNormMinutes += day.normMinutes;
            result.totalPerformanceMinutes += day.performanceMinutes;
            for (int i = 1; i <= day.codeSums.count(); ++i) {
                const CodeSum& s = day.codeSums.at(i);
                result.totalCodeSums.add(s.code, s.minutes);
            }
        }
    }
    result.totalBalanceMinutes = result.totalPerformanceMinutes - result.totalNormMinutes;
}

void recomputeDay(EvaluationResult& result, const AttendanceCodeList& codes, int d) {
    if (d >= 1 && d <= 31) {
        sumDay(result.day(d), codes);
    }
}

bool evaluationGate(AttendanceCard& card, const AttendanceCodeList& codes,
                    const HolidayQuery& isHoliday, DateTime from, DateTime to,
                    EvaluationResult& result) {
    if (!setShiftDays(card) || !computeDurations(card)) {
        return false;
    }
    result.clear();
    result.periodFrom = dayOf(from);
    result.periodTo = dayOf(to);
    result.keyNumber = card.keyNumber;
    return evaluate(card, codes, isHoliday, result);
}

} // namespace qtr
