#pragma once

#include "base/clock.h"
#include "comm/unit_transaction.h"
#include "db/tables.h"
#include "unitproc/collection_store.h"
#include "unitproc/procedure_sink.h"
#include "unitproc/unit_clock_check.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qtr {

struct CollectionOptions {
    // Tries in a row after which a unit is given up and the run goes on; 0 = try again
    // until the run is interrupted (the window).
    int maxTries = 0;
    // The window's "Přerušit": it lets a waiting transaction finish (its events are still
    // stored) and the run notices it at its next check.
    std::function<bool()> interrupted;
    // The PC's clock. With it every locked unit's clock is compared with the PC's (a line
    // after "Test stavu:" when they differ by more than the tolerance) and events stamped
    // before 2001 or after the PC's time are marked " (podezřelý čas)"; they are stored
    // as the unit sent them all the same.
    const Clock* clock = nullptr;
    double clockToleranceSeconds = kDefaultClockToleranceSeconds;
    // Sets the clock of a unit that drifted beyond the tolerance right after its events.
    bool setDriftedClocks = false;
};

// A unit whose clock was off, or whose events carried suspect time stamps.
struct UnitClockNote {
    std::uint8_t address = 0;
    std::string name;
    std::optional<long long> driftSeconds; // unit minus PC, beyond the tolerance
    bool clockUnreadable = false;
    int suspectStamps = 0;
    bool clockSet = false;
};

struct CollectionResult {
    bool ran = false;         // false: the unit table is empty, nothing was touched
    bool errorFlag = false;   // any failure during the run
    bool interrupted = false; // ended by "Přerušit"
    std::string fileError;    // the event file could not be opened (held by another program...)
    int unitsRead = 0;        // units whose events were read to the last one
    int unitsGivenUp = 0;
    std::uint64_t eventsStored = 0;
    std::vector<UnitClockNote> clockNotes;
};

// "Test stavu: " + the unit name, the whole line cut to 27 characters.
std::string statusTestLine(const ControlUnitRecord& unit);
// The log line of one event handed over: address + " *", with notes for a suspect time
// stamp and for a resend.
std::string eventLine(std::uint8_t address, const CollectionStore::Item& item,
                      bool suspectStamp = false);

// Reads the events of one locked unit until it has none left: each request is stored
// before its acknowledge (store.hook()), each event logged through onEvent, each failure
// through onFailure (the request is then repeated). Ends also when `interrupted` says so
// after a request, or after maxFailures failed requests in a row (0 = no limit).
struct UnitEventRead {
    bool emptied = false; // the unit reported no further event
    int failuresInARow = 0;
};
UnitEventRead readUnitEvents(UnitTransaction& bus, std::uint8_t address, CollectionStore& store,
                             const std::function<void(const CollectionStore::Item&)>& onEvent,
                             const std::function<void(const std::string&)>& onFailure,
                             int maxFailures, const std::function<bool()>& interrupted);

// SberDatVsechny: every unit of the table in order; a locked unit is emptied of its events,
// a unit that fails or is not locked is tried again (see CollectionOptions::maxTries). The
// event file is opened only when there is a unit, and closed at the end.
CollectionResult SberDatVsechny(UnitTransaction& bus, const ControlUnitTable& units,
                                CollectionStore& store, ProcedureSink& log,
                                const CollectionOptions& options = {});

// qtr-cli's closing line of a collection.
std::string collectionSummary(const CollectionResult& r);
// qtr-cli's line for a unit with a clock note.
std::string clockNoteLine(const UnitClockNote& note);

} // namespace qtr
