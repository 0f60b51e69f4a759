#pragma once

#include "base/short_string.h"

#include <array>
#include <cstdint>
#include <span>

namespace qtr {

inline constexpr std::string_view kMainZoneName = "HLAVNÍ ZÓNA";

struct ZoneRecord {
    static constexpr std::size_t kSize = 562;

    ShortString<3> zoneTag;
    ShortString<20> zoneName;
    std::array<std::uint8_t, 12> reserved1{};
    std::int32_t presentCount = 0;
    std::array<std::uint8_t, 4> reserved2{};
    std::uint8_t lastState = 0;
    std::array<std::uint8_t, 4> reserved3{};
    std::array<std::uint8_t, 512> reserved4{};

    // "STR" and the name, every other byte zero.
    static ZoneRecord named(std::string_view name);

    static ZoneRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const ZoneRecord&, const ZoneRecord&) = default;
};

} // namespace qtr
