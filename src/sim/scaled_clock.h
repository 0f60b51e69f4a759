#pragma once

#include "base/clock.h"

#include <chrono>

namespace qtr::sim {

// The bus time of qtr-sim: the PC's local time, run at a chosen rate for the day
// mode (600 = ten minutes a second) and moved ahead over nights and weekends.
// The unit clocks run on it.
class ScaledClock final : public Clock {
public:
    explicit ScaledClock(const Clock& base);

    DateTime now() const override;
    double rate() const { return rate_; }
    void setRate(double rate);
    // Moves the bus time by the given days, either way (the unit clocks with it).
    void shift(DateTime days);

private:
    using Steady = std::chrono::steady_clock;

    DateTime start_;
    Steady::time_point realStart_;
    double rate_ = 1.0;
};

} // namespace qtr::sim
