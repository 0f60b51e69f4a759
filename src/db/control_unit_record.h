#pragma once

#include "base/short_string.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace qtr {

// One of the eight objects (doors, barriers, passages) of a unit.
struct UnitObjectRecord {
    static constexpr std::size_t kSize = 38;

    ShortString<20> zoneName;
    std::int32_t planX = 0;
    std::int32_t planY = 0;
    std::int32_t authorisedCount = 0;
    std::int32_t presentCount = 0;
    std::uint8_t objectState = 0;

    static UnitObjectRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const UnitObjectRecord&, const UnitObjectRecord&) = default;
};

// Unit type codes.
enum UnitType : std::uint8_t {
    kUnitAccess = 1,     // "přístupová"
    kUnitAttendance = 2, // "docházková"
    kUnitDoor = 3,       // "dveřní" (expander)
    kUnitBarrier = 4,    // "závorová"
};

// "přístupová", "docházková", "dveřní", "závorová"; "neznámý typ" for any other code.
std::string_view unitTypeName(std::uint8_t unitType);

struct ControlUnitRecord {
    static constexpr std::size_t kSize = 689;
    static constexpr std::size_t kReaders = 8;
    static constexpr std::size_t kInputs = 8;
    static constexpr std::size_t kObjects = 8;
    static constexpr std::size_t kResultTexts = 4;

    std::uint8_t address = 0;
    std::uint8_t unitType = 0;
    std::uint8_t alarmMask = 0;
    std::uint8_t relayMask = 0;
    std::array<std::uint8_t, 16> parameters{};
    ShortString<15> unitName;
    std::array<ShortString<14>, kResultTexts> resultTexts{};
    std::array<ShortString<17>, kReaders> readerNames{};
    std::array<ShortString<17>, kInputs> inputNames{};
    std::uint8_t usage = 0;
    std::array<UnitObjectRecord, kObjects> objects{};

    static ControlUnitRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const ControlUnitRecord&, const ControlUnitRecord&) = default;
};

} // namespace qtr
