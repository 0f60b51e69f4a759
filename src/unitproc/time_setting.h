#pragma once

#include "base/clock.h"
#include "comm/unit_transaction.h"
#include "db/tables.h"
#include "unitproc/procedure_sink.h"

#include <string>

namespace qtr {

struct TimeSettingResult {
    bool ran = false; // false: the unit table is empty
    bool allUnitsSet = true;
    bool aborted = false;
};

// The first line of the window's log: the PC's time "dd.mm.yyyy dddd hh:nn" and a line end.
std::string timeSettingHeader(DateTime now);

// One unit's clock set to the PC's time of this moment: the log line
// address + " " + name + " - nastaveno", or + " - " + errorText. True when it was set.
bool setUnitClock(UnitTransaction& bus, const ControlUnitRecord& unit, const Clock& clock,
                  ProcedureSink& log);

// NastavCasVsechny: every unit of the table in turn, a failed one is not tried again; ends
// early when `aborted` is set on the bus. Closes with "\r\nPřerušeno!", "\r\nHotovo!" or
// "\r\nPozor! Neúplné nastavení!".
TimeSettingResult NastavCasVsechny(UnitTransaction& bus, const ControlUnitTable& units,
                                   const Clock& clock, ProcedureSink& log);

} // namespace qtr
