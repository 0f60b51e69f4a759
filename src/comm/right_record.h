#pragma once

#include "base/hour_minute.h"
#include "base/key_number.h"

#include <cstdint>
#include <span>

namespace qtr {

// One compiled access right: which key may pass which objects of which unit, and when.
struct RightRecord {
    static constexpr std::size_t kSize = 14;

    KeyNumber keyNumber;
    HourMinute fromTime = 0;
    HourMinute toTime = 0;
    std::uint8_t dayMask = 0; // 0x40 Monday .. 0x01 Sunday; 127 = every day
    std::uint8_t unitAddress = 0;
    std::uint8_t objectMask = 0;

    static RightRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const RightRecord&, const RightRecord&) = default;
};

} // namespace qtr
