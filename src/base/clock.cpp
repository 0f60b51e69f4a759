#include "base/clock.h"

#include <chrono>
#include <ctime>

namespace qtr {

DateTime SystemClock::now() const {
    const auto t = std::chrono::system_clock::now();
    const std::time_t secs = std::chrono::system_clock::to_time_t(t);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&secs, &local);
    return encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           encodeTime(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ms));
}

} // namespace qtr
