#pragma once

#include "comm/answer_verdict.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace qtr {

// The status answer of a unit as its information window shows it.
struct UnitStatusView {
    std::string address;              // "Adresa"
    std::string unitType;             // "Typ jednotky"
    std::string unitState;            // "Stav jednotky"
    std::string mode;                 // "Režim"
    std::string memory;               // "Paměť"
    std::string alarm;                // "Alarm"
    std::string relay;                // "Relé"
    std::string unitClock;            // "Čas jednotky"
    std::string pendingEvents;        // empty unless the unit is locked
    std::string rightsCount;          // "Počet oprávnění: " + number
    std::array<std::string, 6> lines; // the list, in the window's order
    bool eventMemoryOverflow = false; // shows "Přetečení paměti událostí!"
};

inline constexpr const char* kEventMemoryOverflowText = "Přetečení paměti událostí!";

// 24-bit little-endian number at `offset`.
std::uint32_t statusU24(std::span<const std::uint8_t, kUnitStatusSize> status, std::size_t offset);

UnitStatusView decodeUnitStatus(std::span<const std::uint8_t, kUnitStatusSize> status);

} // namespace qtr
