#pragma once

#include "base/date_time.h"
#include "base/short_string.h"

#include <cstdint>
#include <span>

namespace qtr {

// One dated, named holiday: the record of QTR0006.DAT.
struct HolidayRecord {
    static constexpr std::size_t kSize = 49;

    DateTime holidayDate = 0.0; // whole days, no time of day
    ShortString<40> holidayName;

    static HolidayRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const HolidayRecord&, const HolidayRecord&) = default;
};

} // namespace qtr
