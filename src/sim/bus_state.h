#pragma once

#include "base/file_result.h"
#include "sim/sim_bus.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qtr::sim {

// The file in a data directory that keeps the simulated units between runs of
// the in-process bus (qtr-cli --sim, the demo mode): what each unit stores.
inline constexpr const char* kSimulatedBusFile = "QTRSIM.TXT";

// A text of one block per unit: "jednotka" with its setup, state, masks and clock,
// then "parametry", "nazev", one "pravo" per right, one "udalost" per waiting
// event and a "klic" waiting at a reader.
std::string busStateText(const SimBus& bus);
// Adds the units of such a text to the bus; false with "řádek N: ..." on a fault
// (the units before it are on the bus).
bool restoreBusState(std::string_view text, SimBus& bus, std::string& error);

FileResult saveBusState(const SimBus& bus, const std::filesystem::path& file);
bool loadBusState(const std::filesystem::path& file, SimBus& bus, std::string& error);

// The in-process bus of a data directory: the saved units when there are any,
// then every unit of QTR0001.DAT not among them and a key reader at
// `readerAddress` where no unit is.
bool openDataDirBus(const std::filesystem::path& dir, std::uint8_t readerAddress, SimBus& bus,
                    std::string& error);
FileResult saveDataDirBus(const std::filesystem::path& dir, const SimBus& bus);

} // namespace qtr::sim
