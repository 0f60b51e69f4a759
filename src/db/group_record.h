#pragma once

#include "base/short_string.h"

#include <cstdint>
#include <span>

namespace qtr {

// An organisational group of key holders.
struct GroupRecord {
    static constexpr std::size_t kSize = 26;

    ShortString<17> groupName;
    std::int32_t authorisedCount = 0;
    std::int32_t presentCount = 0;

    // Name "nová", both counts 0.
    static GroupRecord newRecord();

    static GroupRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const GroupRecord&, const GroupRecord&) = default;
};

} // namespace qtr
