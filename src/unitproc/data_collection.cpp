#include "unitproc/data_collection.h"

#include "base/hex_text.h"
#include "comm/unit_texts.h"
#include "unitproc/time_setting.h"

namespace qtr {

std::string statusTestLine(const ControlUnitRecord& unit) {
    const std::string line = "Test stavu: " + unit.unitName.text();
    // Cut by characters, never inside one.
    std::size_t chars = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80 && ++chars > 27) {
            return line.substr(0, i);
        }
    }
    return line;
}

std::string eventLine(std::uint8_t address, const CollectionStore::Item& item, bool suspectStamp) {
    return hexByteText(address) + " " + "*" + (suspectStamp ? " (podezřelý čas)" : "") +
           (item.resent ? " (opakovaně přijatá, už uložena)" : "");
}

namespace {

// Compares a locked unit's clock (from the status just read) with the PC's; logs and notes
// a difference beyond the tolerance.
void checkUnitClock(const AnswerAreas& status, DateTime pcBeforeRequest,
                    const ControlUnitRecord& unit, const CollectionOptions& options,
                    ProcedureSink& log, UnitClockNote& note) {
    const auto unitTime = unitClockOf(status.unitStatus);
    if (!unitTime) {
        note.clockUnreadable = true;
        log.addLine("Hodiny jednotky " + hexByteText(unit.address) + " mají neplatný čas");
        return;
    }
    const long long diff = unitClockDifference(*unitTime, pcBeforeRequest);
    if (static_cast<double>(diff < 0 ? -diff : diff) > options.clockToleranceSeconds) {
        note.driftSeconds = diff;
        log.addLine(clockDriftLine(unit.address, diff));
    }
}

} // namespace

UnitEventRead readUnitEvents(UnitTransaction& bus, std::uint8_t address, CollectionStore& store,
                             const std::function<void(const CollectionStore::Item&)>& onEvent,
                             const std::function<void(const std::string&)>& onFailure,
                             int maxFailures, const std::function<bool()>& interrupted) {
    UnitEventRead r;
    for (;;) {
        bus.letPendingMessagesRun();
        store.clearLastItems();
        bool more = true;
        if (bus.CteniUdalosti(address, store.hook())) {
            r.failuresInARow = 0;
            for (const auto& item : store.lastItems()) {
                onEvent(item);
            }
            more = bus.eventCount != 0;
        } else {
            // Whatever the answer held stays in the unit: ask again.
            ++r.failuresInARow;
            onFailure(bus.errorText);
        }
        if (!more) {
            r.emptied = true;
            return r;
        }
        if ((interrupted && interrupted()) ||
            (maxFailures > 0 && r.failuresInARow >= maxFailures)) {
            return r;
        }
    }
}

CollectionResult SberDatVsechny(UnitTransaction& bus, const ControlUnitTable& units,
                                CollectionStore& store, ProcedureSink& log,
                                const CollectionOptions& options) {
    CollectionResult result;
    if (units.count() == 0) {
        return result;
    }
    result.ran = true;
    const auto interrupted = [&] { return options.interrupted && options.interrupted(); };
    if (FileResult opened = store.open(); !opened) {
        result.errorFlag = true;
        result.fileError = opened.error();
        log.addLine(opened.error());
        return result;
    }
    if (!store.repairNote().empty()) {
        log.addLine(store.repairNote());
    }
    const std::uint64_t storedBefore = store.storedCount();
    int tries = 0;
    int pos = 1;
    const auto giveUp = [&](const ControlUnitRecord& unit) {
        ++result.unitsGivenUp;
        log.addLine("Jednotka " + hexByteText(unit.address) + " " + unit.unitName.text() +
                    " vynechána po " + std::to_string(options.maxTries) + " neúspěšných pokusech");
    };
    const auto nextUnit = [&] {
        tries = 0;
        if (++pos > units.count()) {
            log.addLine("\r\nHotovo! ");
            return false;
        }
        return true;
    };
    for (bool running = true; running;) {
        const ControlUnitRecord& unit = units.at(pos);
        log.addLine(statusTestLine(unit));
        const DateTime pcBeforeRequest = options.clock != nullptr ? options.clock->now() : 0;
        if (!bus.CteniStavuJednotky(unit.address)) {
            result.errorFlag = true;
            log.addLine(bus.errorText);
        } else if (bus.unitStatus[2] == kUnitStateLocked) {
            UnitClockNote note;
            note.address = unit.address;
            note.name = unit.unitName.text();
            if (options.clock != nullptr) {
                checkUnitClock(bus, pcBeforeRequest, unit, options, log, note);
            }
            const UnitEventRead read = readUnitEvents(
                bus, unit.address, store,
                [&](const CollectionStore::Item& item) {
                    const bool suspect = options.clock != nullptr &&
                                         isSuspectStamp(item.record.timestamp, options.clock->now(),
                                                        options.clockToleranceSeconds);
                    note.suspectStamps += suspect ? 1 : 0;
                    log.addLine(eventLine(unit.address, item, suspect));
                },
                [&](const std::string& failure) {
                    result.errorFlag = true;
                    log.addLine(failure);
                },
                options.maxTries, interrupted);
            if (read.emptied) {
                ++result.unitsRead;
                if (options.setDriftedClocks && (note.driftSeconds || note.clockUnreadable)) {
                    note.clockSet = setUnitClock(bus, unit, *options.clock, log);
                    result.errorFlag = result.errorFlag || !note.clockSet;
                }
            } else if (!interrupted()) {
                giveUp(unit);
            }
            if (note.driftSeconds || note.clockUnreadable || note.suspectStamps > 0) {
                result.clockNotes.push_back(note);
            }
            if (interrupted()) {
                log.addLine("\r\nPřerušeno! ");
                result.interrupted = true;
                break;
            }
            running = nextUnit();
            continue;
        } else {
            result.errorFlag = true;
            log.addLine("Chybný stav: " + unitStateText(bus.unitStatus[2]));
        }
        if (interrupted()) {
            result.interrupted = true;
            break;
        }
        // The status failed or the unit is not locked: the same unit again.
        if (options.maxTries > 0 && ++tries >= options.maxTries) {
            giveUp(unit);
            running = nextUnit();
        }
    }
    result.eventsStored = store.storedCount() - storedBefore;
    if (FileResult closed = store.close(); !closed) {
        result.errorFlag = true;
        log.addLine(closed.error());
    }
    return result;
}

std::string clockNoteLine(const UnitClockNote& n) {
    std::string line = "Jednotka " + hexByteText(n.address) + " " + n.name + ":";
    std::string sep = " ";
    if (n.driftSeconds) {
        line += sep + "hodiny se liší o " + signedDurationText(*n.driftSeconds) + " od času PC";
        sep = ", ";
    } else if (n.clockUnreadable) {
        line += sep + "hodiny mají neplatný čas";
        sep = ", ";
    }
    if (n.clockSet) {
        line += sep + "nastaveny podle PC";
        sep = ", ";
    }
    if (n.suspectStamps > 0) {
        line += sep + "podezřelý čas u " + std::to_string(n.suspectStamps) + " událostí";
    }
    return line;
}

std::string collectionSummary(const CollectionResult& r) {
    return "Přečteno jednotek: " + std::to_string(r.unitsRead) +
           ", uloženo událostí: " + std::to_string(r.eventsStored) +
           ", vynecháno jednotek: " + std::to_string(r.unitsGivenUp);
}

} // namespace qtr
