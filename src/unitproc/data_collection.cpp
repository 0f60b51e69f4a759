#include "unitproc/data_collection.h"

#include "base/hex_text.h"
#include "comm/unit_texts.h"

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

std::string eventLine(std::uint8_t address, const CollectionStore::Item& item) {
    return hexByteText(address) + " " + "*" +
           (item.resent ? " (opakovaně přijatá, už uložena)" : "");
}

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
        if (!bus.CteniStavuJednotky(unit.address)) {
            result.errorFlag = true;
            log.addLine(bus.errorText);
        } else if (bus.unitStatus[2] == kUnitStateLocked) {
            const UnitEventRead read = readUnitEvents(
                bus, unit.address, store,
                [&](const CollectionStore::Item& item) {
                    log.addLine(eventLine(unit.address, item));
                },
                [&](const std::string& failure) {
                    result.errorFlag = true;
                    log.addLine(failure);
                },
                options.maxTries, interrupted);
            if (read.emptied) {
                ++result.unitsRead;
            } else if (!interrupted()) {
                giveUp(unit);
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

std::string collectionSummary(const CollectionResult& r) {
    return "Přečteno jednotek: " + std::to_string(r.unitsRead) +
           ", uloženo událostí: " + std::to_string(r.eventsStored) +
           ", vynecháno jednotek: " + std::to_string(r.unitsGivenUp);
}

} // namespace qtr
