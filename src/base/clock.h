#pragma once

#include "base/date_time.h"

namespace qtr {

// Where "now" comes from; tests set it.
class Clock {
public:
    virtual ~Clock() = default;
    // The local date and time.
    virtual DateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    DateTime now() const override;
};

class ManualClock final : public Clock {
public:
    explicit ManualClock(DateTime start = 0.0) : now_(start) {}
    DateTime now() const override { return now_; }
    void set(DateTime t) { now_ = t; }
    void advanceSeconds(double seconds) { now_ += seconds / 86400.0; }

private:
    DateTime now_;
};

} // namespace qtr
