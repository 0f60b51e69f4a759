#include "unitproc/unit_clock_check.h"

#include "base/bcd.h"
#include "base/hex_text.h"

#include <cmath>
#include <cstdlib>

namespace qtr {

std::optional<DateTime> unitClockOf(std::span<const std::uint8_t, kUnitStatusSize> status) {
    const auto field = [&](std::size_t i) -> std::optional<int> {
        const std::uint8_t b = status[i];
        if ((b >> 4) > 9 || (b & 0x0F) > 9) {
            return std::nullopt;
        }
        return fromBcd(b);
    };
    const auto s = field(23);
    const auto mi = field(24);
    const auto h = field(25);
    const auto d = field(26);
    const auto mo = field(27);
    const auto y = field(29);
    if (!s || !mi || !h || !d || !mo || !y || !isValidDate(2000 + *y, *mo, *d) ||
        !isValidTime(*h, *mi, *s)) {
        return std::nullopt;
    }
    return encodeDate(2000 + *y, *mo, *d) + encodeTime(*h, *mi, *s);
}

long long unitClockDifference(DateTime unitTime, DateTime pcBeforeRequest) {
    const auto pcSeconds = static_cast<long long>(std::floor(pcBeforeRequest * 86400.0 + 1e-6));
    return std::llround(unitTime * 86400.0) - pcSeconds;
}

std::string signedDurationText(long long seconds) {
    const char sign = seconds < 0 ? '-' : '+';
    const long long v = std::llabs(seconds);
    const auto two = [](long long n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return sign + std::to_string(v / 3600) + ":" + two(v / 60 % 60) + ":" + two(v % 60);
}

std::string clockDriftLine(std::uint8_t address, long long unitMinusPcSeconds) {
    return "Hodiny jednotky " + hexByteText(address) + " se liší o " +
           signedDurationText(unitMinusPcSeconds) + " od času PC";
}

bool isSuspectStamp(DateTime stamp, DateTime pcNow, double toleranceSeconds) {
    return stamp < encodeDate(2001, 1, 1) || stamp > pcNow + toleranceSeconds / 86400.0;
}

} // namespace qtr
