#include "sim/unit_clock.h"

#include "base/bcd.h"

namespace qtr::sim {
namespace {

bool isBcd(std::uint8_t b) {
    return (b >> 4) <= 9 && (b & 0x0F) <= 9;
}

} // namespace

DateTime unitClockEpoch() {
    return encodeDate(2000, 1, 1);
}

UnitClock::UnitClock(DateTime busNow) : unitAtSet_(unitClockEpoch()), busAtSet_(busNow) {}

void UnitClock::set(DateTime unitTime, DateTime busNow) {
    unitAtSet_ = unitTime;
    busAtSet_ = busNow;
}

void UnitClock::setDrift(double secondsPerHour, DateTime busNow) {
    set(now(busNow), busNow);
    driftPerHour_ = secondsPerHour;
}

int unitDayOfWeek(DateTime t) {
    return dayOfWeek(t) - 1;
}

std::array<std::uint8_t, 7> UnitClock::clockBytes(DateTime busNow) const {
    const DateTime t = now(busNow);
    const CivilDateTime c = decodeDateTime(t);
    return {toBcd(c.second),    toBcd(c.minute), toBcd(c.hour),
            toBcd(c.day),       toBcd(c.month),  static_cast<std::uint8_t>(unitDayOfWeek(t)),
            toBcd(c.year % 100)};
}

bool parseClockBytes(std::span<const std::uint8_t> b, DateTime& out) {
    if (b.size() < 7) {
        return false;
    }
    for (std::size_t i : {0u, 1u, 2u, 3u, 4u, 6u}) {
        if (!isBcd(b[i])) {
            return false;
        }
    }
    const int second = fromBcd(b[0]);
    const int minute = fromBcd(b[1]);
    const int hour = fromBcd(b[2]);
    const int day = fromBcd(b[3]);
    const int month = fromBcd(b[4]);
    const int year = 2000 + fromBcd(b[6]);
    if (!isValidDate(year, month, day) || !isValidTime(hour, minute, second)) {
        return false;
    }
    out = encodeDate(year, month, day) + encodeTime(hour, minute, second);
    return true;
}

std::uint32_t packedDateTime(DateTime t) {
    const CivilDateTime c = decodeDateTime(t);
    const auto years = static_cast<std::uint32_t>(c.year < 2000 ? 0 : c.year - 2000) & 0x7F;
    return years << 25 | static_cast<std::uint32_t>(c.month) << 21 |
           static_cast<std::uint32_t>(c.day) << 16 | static_cast<std::uint32_t>(c.hour) << 11 |
           static_cast<std::uint32_t>(c.minute) << 5 | static_cast<std::uint32_t>(c.second / 2);
}

DateTime unpackDateTime(std::uint32_t p) {
    const int year = 2000 + static_cast<int>(p >> 25);
    const int month = static_cast<int>(p >> 21 & 0x0F);
    const int day = static_cast<int>(p >> 16 & 0x1F);
    const int hour = static_cast<int>(p >> 11 & 0x1F);
    const int minute = static_cast<int>(p >> 5 & 0x3F);
    const int second = static_cast<int>(p & 0x1F) * 2;
    if (!isValidDate(year, month, day) || !isValidTime(hour, minute, second)) {
        return 0;
    }
    return encodeDate(year, month, day) + encodeTime(hour, minute, second);
}

} // namespace qtr::sim
