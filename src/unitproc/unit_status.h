#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace qtr {

// The 30 data bytes of a unit's answer to the read-status request (0x8A).
inline constexpr std::size_t kUnitStatusSize = 30;

// What the status window shows, already as text.
struct UnitStatusView {
    std::string address;       // "Adresa"
    std::string unitType;      // "Typ jednotky", with the mode for model 1
    std::string unitState;     // "Stav jednotky"
    std::string mode;          // "Režim"
    std::string memory;        // "Paměť"
    std::string alarm;         // "Alarm"
    std::string relay;         // "Relé"
    std::string unitClock;     // "Čas jednotky"
    std::string pendingEvents; // pending events, only for a locked unit; else empty
    std::string rightsCount;   // "Počet oprávnění: " + count
    std::array<std::string, 6> lines; // the list, in the window's order
    bool eventMemoryOverflow = false;        // byte 22 equals 1
};

// The 24-bit little-endian number at byte `at`.
std::uint32_t statusU24(std::span<const std::uint8_t, kUnitStatusSize> status, std::size_t at);

UnitStatusView decodeUnitStatus(std::span<const std::uint8_t, kUnitStatusSize> status);

// The texts of the unit's model and state bytes.
std::string unitModelText(std::uint8_t model);
std::string unitStateText(std::uint8_t state);

inline constexpr const char* kEventMemoryOverflowText = "Přetečení paměti událostí!";

} // namespace qtr
