#pragma once

#include "base/key_number.h"
#include "base/short_string.h"

#include <array>
#include <cstdint>
#include <span>

namespace qtr {

struct KeyHolderRecord {
    static constexpr std::size_t kSize = 154;

    KeyNumber keyNumber;
    ShortString<30> holderName;
    std::array<std::uint8_t, 4> reserved{};
    std::uint8_t lastState = 0;
    ShortString<17> groupName;
    std::array<std::uint8_t, 19> lastEvent{};
    ShortString<17> permissionGroupName;
    ShortString<17> rosterName;
    std::uint8_t kindCode = 0;
    ShortString<17> extraText1;
    ShortString<17> extraText2;
    std::uint8_t holderFlag = 0;

    // All zero but the name "nový" and the kind code " ".
    static KeyHolderRecord newRecord();

    static KeyHolderRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const KeyHolderRecord&, const KeyHolderRecord&) = default;
};

} // namespace qtr
