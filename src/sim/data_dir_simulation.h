#pragma once

#include "base/clock.h"
#include "base/file_lock.h"
#include "base/file_result.h"
#include "sim/scaled_clock.h"
#include "sim/scenario.h"
#include "sim/sim_bus.h"
#include "sim/simulated_transaction.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr::sim {

// Everything a program needs to run its unit procedures on simulated units in
// place of the serial line (qtr-cli --sim, the demo mode of qtr): the bus of the
// data directory with what its units stored in earlier runs, a bus clock that
// follows the PC's clock, and the transaction over them.
//
//     DataDirSimulation sim(dir);
//     if (!sim.ok()) report(sim.error());   // also: another program has these units now
//     procedure(sim.transaction());   // e.g. the full configuration, data collection
//     sim.save();                     // the units remember it next time
class DataDirSimulation {
public:
    explicit DataDirSimulation(std::filesystem::path dir, std::uint8_t readerAddress = 0,
                               SimulatedLine line = {});

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    SimBus& bus() { return bus_; }
    SimulatedTransaction& transaction() { return transaction_; }
    // The persons of QTR0002.DAT, for the day mode.
    const Scenario& scenario() const { return scenario_; }

    // Runs the `days` working days before today at once (the day mode): the bus
    // time is moved back to their start and runs over them, so the events carry
    // past dates; the unit clocks keep to the PC's clock in the next run. False
    // (with a Czech text) when there is nobody or nowhere to go.
    bool simulatePastDays(int days, std::vector<std::string>& lines, std::string& why,
                          std::uint32_t seed = 1);

    // Keeps what the units stored in QTRSIM.TXT of the data directory.
    FileResult save() const;

private:
    std::filesystem::path dir_;
    FileLock busLock_;
    SystemClock systemClock_;
    ScaledClock clock_;
    SimBus bus_;
    SimulatedTransaction transaction_;
    Scenario scenario_;
    std::string error_;
};

} // namespace qtr::sim
