#pragma once

#include "attendance/attendance_card.h"
#include "attendance/code_list.h"
#include "base/date_time.h"
#include "base/key_number.h"
#include "base/short_string.h"

#include <array>
#include <cstdint>
#include <functional>

namespace qtr {

class HolidayTable;

// Minutes of one attendance code.
struct CodeSum {
    std::uint8_t code = 0;
    std::int32_t minutes = 0;
};

// Minutes per attendance code, at most 25 codes, in the order they first came.
class CodeSumList {
public:
    static constexpr int kCapacity = 25;

    int count() const { return count_; }
    // Entry i, 1..count.
    const CodeSum& at(int i) const { return entries_[static_cast<std::size_t>(i - 1)]; }

    // Index 1..count of the code's entry, 0 when none.
    int find(int code) const;
    // Adds minutes to the code's entry, appending the entry when the code is new;
    // the updated entry, or nullptr when a new code found 25 entries in place.
    CodeSum* add(int code, std::int32_t minutes);
    // The code's minutes, 0 when absent.
    std::int32_t get(int code) const;
    // false when the code has no entry.
    bool set(int code, std::int32_t minutes);
    // false when full.
    bool append(const CodeSum& entry);
    void clear() { count_ = 0; }

private:
    std::uint8_t count_ = 0;
    std::array<CodeSum, kCapacity> entries_{};
};

// One day of the evaluated period.
struct DaySummary {
    char dayType = ' ';                  // ' ' working day, 's' Saturday, 'n' Sunday, 'S' holiday
    std::int32_t normMinutes = 0;        // the usual shift length on working days
    std::int32_t performanceMinutes = 0; // minutes of the codes that count to performance
    std::int32_t balanceMinutes = 0;     // performance - norm
    DateTime firstStart = 0.0;           // start of the day's first section
    DateTime lastEnd = 0.0;              // end of the day's last section
    ShortString<40> remark;              // "sv.", "neděle!", "sobota!", "svátek!"
    ShortString<40> note; // "noční", "omez.", "###chyba sčítání!", "#přesah dnů" ...
    CodeSumList codeSums;
};

// The evaluation of one card over a processing period: one summary per day, held by
// the day of month (the period never has two days with the same day of month), and
// the period's totals.
struct EvaluationResult {
    KeyNumber keyNumber;
    DateTime periodFrom = 0.0;
    DateTime periodTo = 0.0;
    ShortString<40> planText;
    std::array<DaySummary, 31> days{};
    std::int32_t totalNormMinutes = 0;
    std::int32_t totalPerformanceMinutes = 0;
    std::int32_t totalBalanceMinutes = 0;
    CodeSumList totalCodeSums;

    // Day of month 1..31.
    DaySummary& day(int d) { return days[static_cast<std::size_t>(d - 1)]; }
    const DaySummary& day(int d) const { return days[static_cast<std::size_t>(d - 1)]; }

    void clear() { *this = EvaluationResult{}; }
};

// Whether a day (a date without time of day) is a holiday of the holiday calendar.
using HolidayQuery = std::function<bool(DateTime day)>;
// The question put to the holiday table (IsHoliday); the table must outlive the query.
HolidayQuery holidayQuery(HolidayTable& holidays);

// A processing period or card validity the pickers accept, by whole days: one day;
// otherwise from before to, at most 31 days apart, and no two of its days with the
// same day of month (each day of the period has its own day row).
bool intervalValid(DateTime from, DateTime to);

// Whether the card's validity and the processing period share a day (whole days).
bool intervalsOverlap(DateTime cardFrom, DateTime cardTo, DateTime periodFrom, DateTime periodTo);

// Evaluates the card over result.periodFrom..periodTo; the caller has cleared the
// result and set the period and the key. Every line must have its start, its end not
// before it and shiftDay = the day of its start (see evaluationGate). Lines of the
// period are summed into their shift day: a line within one day by its code, up to the
// code's daily maximum ("omez."); a shift line into the next day whole ("noční"); any
// other line is "#přesah dnů" and fails the evaluation. A line whose code the list
// lacks is noted "#číselník!" on the line and on the day and is not summed. False when
// a line failed or the period is not one intervalValid accepts.
bool evaluate(AttendanceCard& card, const AttendanceCodeList& codes, const HolidayQuery& isHoliday,
              EvaluationResult& result);

// Performance and balance of every day of the period, the weekend and holiday remarks
// of days with performance, and the totals (recounted from nothing).
void summarizePeriod(EvaluationResult& result, const AttendanceCodeList& codes);
// Performance and balance of day d alone, after its values were edited.
void recomputeDay(EvaluationResult& result, const AttendanceCodeList& codes, int d);

// "Zpracovat": shift days set and durations computed (false, and nothing evaluated,
// when either fails), then the result cleared, the period set from the two days and the
// key from the card, and the card evaluated.
bool evaluationGate(AttendanceCard& card, const AttendanceCodeList& codes,
                    const HolidayQuery& isHoliday, DateTime from, DateTime to,
                    EvaluationResult& result);

} // namespace qtr
