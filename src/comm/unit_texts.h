#pragma once

#include <cstdint>
#include <string>

namespace qtr {

// The hardware model a unit reports in byte 1 of its status answer.
std::string unitModelText(std::uint8_t model);

// The state byte of the status answer.
std::string unitStateText(std::uint8_t state);

inline constexpr std::uint8_t kUnitStateNotConfigured = 0;
inline constexpr std::uint8_t kUnitStateReset = 1;
inline constexpr std::uint8_t kUnitStateLocked = 2;
inline constexpr std::uint8_t kUnitStateConfigured = 0xAA;

} // namespace qtr
