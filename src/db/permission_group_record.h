#pragma once

#include "base/short_string.h"

#include <array>
#include <cstdint>
#include <span>

namespace qtr {

// Which unit a permission group opens, how, and under which schedule.
struct PermissionEntry {
    static constexpr std::size_t kSize = 20;

    std::uint8_t unitAddress = 0;
    std::uint8_t entryAttributes = 0;
    ShortString<17> scheduleName;

    static PermissionEntry fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const PermissionEntry&, const PermissionEntry&) = default;
};

struct PermissionGroupRecord {
    static constexpr std::size_t kSize = 659;
    static constexpr std::size_t kEntries = 32;

    ShortString<17> name;
    std::uint8_t entryCount = 0;
    std::array<PermissionEntry, kEntries> entries{};

    static PermissionGroupRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const PermissionGroupRecord&, const PermissionGroupRecord&) = default;
};

} // namespace qtr
