#include "sim/data_dir_simulation.h"

#include "sim/bus_state.h"
#include "sim/day_simulation.h"
#include "sim/demo_scenario.h"

namespace qtr::sim {

DataDirSimulation::DataDirSimulation(std::filesystem::path dir, std::uint8_t readerAddress,
                                     SimulatedLine line)
    : dir_(std::move(dir)), clock_(systemClock_), bus_(clock_), transaction_(bus_, line) {
    // The units' memory (QTRSIM.TXT) is one program's at a time, as a serial port would be.
    if (FileResult locked = busLock_.tryLock(dir_ / kPortLockFile, "Simulované jednotky složky");
        !locked) {
        error_ = locked.error();
        return;
    }
    if (!openDataDirBus(dir_, readerAddress, bus_, error_)) {
        return;
    }
    if (!scenarioFromDataDir(dir_, readerAddress, scenario_, error_)) {
        return;
    }
    error_.clear();
}

bool DataDirSimulation::simulatePastDays(int days, std::vector<std::string>& lines,
                                         std::string& why, std::uint32_t seed) {
    DaySimulation day(bus_, scenario_, seed);
    if (!day.ready(why)) {
        return false;
    }
    // Back to midnight before the first of the working days before today.
    const DateTime now = day.unitNow();
    DateTime start = datePart(now);
    for (int found = 0; found < days;) {
        start -= 1;
        const int weekday = dayOfWeek(start); // 1 = Sunday, 7 = Saturday
        found += weekday != 1 && weekday != 7 ? 1 : 0;
    }
    clock_.shift(start - now);
    lines = simulateWorkingDays(
        day, [this](DateTime by) { clock_.shift(by); }, days);
    return true;
}

FileResult DataDirSimulation::save() const {
    return saveDataDirBus(dir_, bus_);
}

} // namespace qtr::sim
