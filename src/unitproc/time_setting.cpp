#include "unitproc/time_setting.h"

#include "base/hex_text.h"

namespace qtr {

std::string timeSettingHeader(DateTime now) {
    return formatDateTime("dd.mm.yyyy dddd hh:nn", now) + "\r\n";
}

bool setUnitClock(UnitTransaction& bus, const ControlUnitRecord& unit, const Clock& clock,
                  ProcedureSink& log) {
    const std::string line = hexByteText(unit.address) + " " + unit.unitName.text();
    // The time is taken when the packet is built, so every unit gets its own present time.
    if (bus.NastavitCasJednotky(unit, clock.now())) {
        log.addLine(line + " - nastaveno");
        return true;
    }
    log.addLine(line + " - " + bus.errorText);
    return false;
}

TimeSettingResult NastavCasVsechny(UnitTransaction& bus, const ControlUnitTable& units,
                                   const Clock& clock, ProcedureSink& log) {
    TimeSettingResult result;
    if (units.count() == 0) {
        return result;
    }
    result.ran = true;
    for (int pos = 1; pos <= units.count(); ++pos) {
        bus.letPendingMessagesRun();
        if (!setUnitClock(bus, units.at(pos), clock, log)) {
            result.allUnitsSet = false;
        }
        if (bus.aborted) {
            break;
        }
    }
    result.aborted = bus.aborted;
    log.addLine(result.aborted       ? "\r\nPřerušeno!"
                : result.allUnitsSet ? "\r\nHotovo!"
                                     : "\r\nPozor! Neúplné nastavení!");
    return result;
}

} // namespace qtr
