#pragma once

#include "base/clock.h"
#include "sim/sim_unit.h"

#include <cstdint>
#include <map>
#include <span>

namespace qtr::sim {

// A bus of simulated units. A request goes to the unit of its address byte (a
// bus without such a unit keeps silent); the acknowledge byte, which carries no
// address, goes to the unit that sent the last data answer, and only when it is
// the very next thing on the line.
class SimBus {
public:
    explicit SimBus(const Clock& clock) : clock_(clock) {}
    SimBus(const SimBus&) = delete;
    SimBus& operator=(const SimBus&) = delete;

    // Null when a unit with that address is already on the bus.
    SimUnit* addUnit(const UnitSetup& setup);
    // Puts a saved unit on the bus; null when its address is taken.
    SimUnit* restoreUnit(const UnitSnapshot& snapshot);
    SimUnit* unit(std::uint8_t address);
    const SimUnit* unit(std::uint8_t address) const;
    std::map<std::uint8_t, SimUnit>& units() { return units_; }
    const std::map<std::uint8_t, SimUnit>& units() const { return units_; }

    DateTime now() const { return clock_.now(); }

    // One whole request frame (address .. checksum).
    UnitAnswer transact(std::span<const std::uint8_t> request);
    // The PC's acknowledge byte.
    void acknowledge();

private:
    const Clock& clock_;
    std::map<std::uint8_t, SimUnit> units_;
    SimUnit* lastDataAnswer_ = nullptr;
};

} // namespace qtr::sim
