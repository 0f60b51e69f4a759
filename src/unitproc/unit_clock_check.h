#pragma once

#include "base/date_time.h"
#include "comm/answer_verdict.h"
#include "events/event_record.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qtr {

// How far a unit's clock may be from the PC's before it is reported (seconds).
inline constexpr double kDefaultClockToleranceSeconds = 120;

// The unit's clock from bytes 23..29 of its status answer (BCD seconds, minutes, hours,
// day, month, day of week, year of 2000..2099); none when the bytes make no date.
std::optional<DateTime> unitClockOf(std::span<const std::uint8_t, kUnitStatusSize> status);

// Seconds the unit's clock is ahead of the PC's (negative: behind). The unit reports whole
// seconds, cut off, so it is compared with the PC's time taken just before the status was
// asked for, cut off the same way: a unit set right shows 0 (at most 1 when a second
// turned while the request was on the line).
long long unitClockDifference(DateTime unitTime, DateTime pcBeforeRequest);

// "+h:mm:ss" or "-h:mm:ss" of a number of seconds ("+0:03:00", "-26:00:05").
std::string signedDurationText(long long seconds);

// "Hodiny jednotky " + address + " se liší o " + the signed difference + " od času PC".
std::string clockDriftLine(std::uint8_t address, long long unitMinusPcSeconds);

// A time stamp attendance must not trust: before 1 January 2001 (a unit that lost its time
// starts again at 2000; an impossible stamp is stored as 0), or later than the PC's time
// at collection by more than the tolerance.
bool isSuspectStamp(DateTime stamp, DateTime pcNow, double toleranceSeconds);

} // namespace qtr
