#pragma once

#include "base/clock.h"
#include "comm/right_record.h"
#include "comm/unit_transaction.h"
#include "db/configuration_database.h"
#include "unitproc/collection_store.h"
#include "unitproc/procedure_sink.h"

#include <vector>

namespace qtr {

struct FullConfigurationResult {
    bool errorFlag = false; // any failed step, or "Přerušit"
    bool aborted = false;
};

// UplneNastaveni: every unit in a fixed order, one log line per step (the line, or the
// line + " - " + errorText for a failed step, which does not stop the run):
//  1. per unit: KONFIGURACE, NULOVÁNÍ;
//  2. every right of `rights` (ZMRTSW.DAT in file order): OPRÁVNĚNÍ;
//  3. per attendance unit and key holder: DOCHÁZKOVÉ JEDNOTKY (every key, all day);
//  4. per unit: UZAMČENÍ, NASTAVENÍ ČASU, MASKA POPLACHU (not barrier units),
//     MASKA RELÉ (attendance units only).
// A locked unit refuses configuration while it holds events: before configuring a unit
// its status is read, and waiting events are collected into `events` first (opened when
// needed, closed at the end) under lines of their own, so that none is lost.
// After each step pending messages run once; `aborted` on the bus ends the run at once.
FullConfigurationResult UplneNastaveni(UnitTransaction& bus, const ConfigurationDatabase& db,
                                       const std::vector<RightRecord>& rights, const Clock& clock,
                                       CollectionStore& events, ProcedureSink& log);

// StopProces's message: "Hotovo!" or "POZOR!\r\nChyby při nastavení jednotek".
const char* fullConfigurationMessage(bool errorFlag);

} // namespace qtr
