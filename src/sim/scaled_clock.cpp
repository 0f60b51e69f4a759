#include "sim/scaled_clock.h"

namespace qtr::sim {

ScaledClock::ScaledClock(const Clock& base) : start_(base.now()), realStart_(Steady::now()) {}

DateTime ScaledClock::now() const {
    const double seconds = std::chrono::duration<double>(Steady::now() - realStart_).count();
    return start_ + seconds * rate_ / 86400.0;
}

void ScaledClock::setRate(double rate) {
    start_ = now();
    realStart_ = Steady::now();
    rate_ = rate > 0 ? rate : 1.0;
}

void ScaledClock::shift(DateTime days) {
    start_ += days;
}

} // namespace qtr::sim
