#pragma once

#include "sim/scenario.h"
#include "sim/sim_bus.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qtr::sim {

// The installation qtr-sim and the demo mode use when given nothing else: an
// access unit at the entrance, an attendance terminal, a door expander, a barrier,
// the key reader at address 00 and five persons.
std::string_view demoScenarioText();
Scenario demoScenario();

// The units and persons of a data directory: units from QTR0001.DAT, persons
// from QTR0002.DAT, and a key reader at `readerAddress` unless a unit has it.
// A missing file gives no units or no persons; a damaged one fails.
bool scenarioFromDataDir(const std::filesystem::path& dir, std::uint8_t readerAddress,
                         Scenario& out, std::string& error);

// Puts the scenario's units on the bus with the scenario's latency; false when an
// address is taken twice (the later unit is left out).
bool populateBus(SimBus& bus, const Scenario& scenario);

} // namespace qtr::sim
