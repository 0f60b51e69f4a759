#pragma once

#include "base/date_time.h"

#include <array>
#include <cstdint>
#include <span>

namespace qtr::sim {

// The start value of every unit clock: 1 January 2000, 00:00:00.
DateTime unitClockEpoch();

// The real-time clock of one unit. It is set by the PC and then runs on with the
// bus time; until it is set it runs from 1 January 2000 00:00:00, the moment the
// unit was switched on. It may be told to drift (gain or lose seconds every hour) and
// to lose its time as in a power cut. Times are day-count date-times.
class UnitClock {
public:
    explicit UnitClock(DateTime busNow);

    void set(DateTime unitTime, DateTime busNow);
    DateTime now(DateTime busNow) const {
        return unitAtSet_ + (busNow - busAtSet_) * (1.0 + driftPerHour_ / 3600.0);
    }
    // Seconds the clock gains (negative: loses) every hour from now on.
    void setDrift(double secondsPerHour, DateTime busNow);
    double drift() const { return driftPerHour_; }
    // The power was cut: the clock starts again at 1 January 2000 00:00:00.
    void powerCut(DateTime busNow) { set(unitClockEpoch(), busNow); }

    // The seven bytes of the set-clock request and of the status answer: BCD
    // seconds, minutes, hours, day, month, the day of the week (0 = Sunday, not
    // BCD) and the BCD year modulo 100.
    std::array<std::uint8_t, 7> clockBytes(DateTime busNow) const;

private:
    DateTime unitAtSet_;
    DateTime busAtSet_;
    double driftPerHour_ = 0;
};

// Reads the seven clock bytes of a set-clock request; false for a byte that is no
// BCD number or a date or time that does not exist. The day of the week byte is
// not trusted: the unit derives it from the date.
bool parseClockBytes(std::span<const std::uint8_t> bytes, DateTime& out);

// 0 = Sunday .. 6 = Saturday.
int unitDayOfWeek(DateTime t);

// The 32-bit time stamp of an event item: seconds / 2 in bits 0-4, minutes 5-10,
// hours 11-15, day 16-20, month 21-24, years since 2000 from bit 25.
std::uint32_t packedDateTime(DateTime t);
// The reverse, for showing stored events; 0 for a stamp that is no date.
DateTime unpackDateTime(std::uint32_t packed);

} // namespace qtr::sim
