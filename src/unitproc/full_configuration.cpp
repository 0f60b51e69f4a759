#include "unitproc/full_configuration.h"

#include "base/hex_text.h"
#include "comm/unit_status_view.h"
#include "comm/unit_texts.h"
#include "unitproc/data_collection.h"
#include "unitproc/rights_compilation.h"

#include <functional>

namespace qtr {
namespace {

// A unit that keeps failing to hand out its events is left to the configure step, which
// then reports the refusal.
constexpr int kEventReadTries = 3;

class Run {
public:
    Run(UnitTransaction& bus, CollectionStore& events, ProcedureSink& log)
        : bus_(bus), events_(events), log_(log) {}

    // One step: its line, or its line + " - " + errorText. False when the run must end.
    bool step(const std::string& line, const std::function<bool()>& send) {
        if (send()) {
            log_.addLine(line);
        } else {
            result.errorFlag = true;
            log_.addLine(line + " - " + bus_.errorText);
        }
        bus_.letPendingMessagesRun();
        return !stopped();
    }

    bool stopped() {
        if (bus_.aborted) {
            result.aborted = true;
            result.errorFlag = true;
        }
        return result.aborted;
    }

    // Collects what a locked unit still holds; false when the run must end.
    bool collectWaitingEvents(const ControlUnitRecord& unit, const std::string& an) {
        if (!bus_.CteniStavuJednotky(unit.address) || bus_.unitStatus[2] != kUnitStateLocked) {
            return !stopped(); // the configure step reports a unit that does not answer
        }
        const std::uint32_t written = statusU24(bus_.unitStatus, 7);
        const std::uint32_t read = statusU24(bus_.unitStatus, 16);
        if (written <= read) {
            return !stopped();
        }
        const std::string line = "SBĚR UDÁLOSTÍ " + an + " ";
        log_.addLine(line + "(" + std::to_string((written - read) / 12) + ")");
        if (!events_.isOpen()) {
            if (FileResult opened = events_.open(); !opened) {
                result.errorFlag = true;
                log_.addLine(line + " - " + opened.error());
                return !stopped();
            }
        }
        readUnitEvents(
            bus_, unit.address, events_,
            [&](const CollectionStore::Item& item) { log_.addLine(eventLine(unit.address, item)); },
            [&](const std::string& failure) {
                result.errorFlag = true;
                log_.addLine(line + " - " + failure);
            },
            kEventReadTries, [&] { return bus_.aborted; });
        return !stopped();
    }

    FullConfigurationResult result;

private:
    UnitTransaction& bus_;
    CollectionStore& events_;
    ProcedureSink& log_;
};

bool runSteps(Run& run, UnitTransaction& bus, const ConfigurationDatabase& db,
              const std::vector<RightRecord>& rights, const Clock& clock, ProcedureSink& log) {
    const auto& units = db.units;
    const auto an = [](const ControlUnitRecord& u) {
        return hexByteText(u.address) + " " + u.unitName.text();
    };
    for (const ControlUnitRecord& u : units.records()) {
        if (!run.collectWaitingEvents(u, an(u)) ||
            !run.step("KONFIGURACE " + an(u) + " ", [&] { return bus.KonfigurovatJednotku(u); }) ||
            !run.step("NULOVÁNÍ " + an(u) + " ", [&] { return bus.NulovatJednotku(u); })) {
            return false;
        }
    }
    int position = 0;
    for (const RightRecord& r : rights) {
        log.setProgress(++position);
        if (!run.step("OPRÁVNĚNÍ " + rightDescription(r),
                      [&] { return bus.DuplicitniOpravneni(r); })) {
            return false;
        }
    }
    for (const ControlUnitRecord& u : units.records()) {
        if (u.unitType != kUnitAttendance) {
            continue;
        }
        for (const KeyHolderRecord& k : db.keyHolders.records()) {
            RightRecord r;
            r.keyNumber = k.keyNumber;
            r.fromTime = makeHourMinute(0, 0);
            r.toTime = makeHourMinute(23, 59);
            r.dayMask = 127;
            r.unitAddress = u.address;
            r.objectMask = 0;
            if (!run.step("DOCHÁZKOVÉ JEDNOTKY " + k.holderName.text() + " " + rightDescription(r),
                          [&] { return bus.DuplicitniOpravneni(r); })) {
                return false;
            }
        }
    }
    for (const ControlUnitRecord& u : units.records()) {
        if (!run.step("UZAMČENÍ " + an(u) + " ", [&] { return bus.UzamknoutJednotku(u); }) ||
            !run.step("NASTAVENÍ ČASU " + formatDateTime("dd.mm.yyyy hh:nn", clock.now()) + " " +
                          an(u) + " ",
                      [&] { return bus.NastavitCasJednotky(u, clock.now()); })) {
            return false;
        }
        if (u.unitType != kUnitBarrier &&
            !run.step("MASKA POPLACHU " + an(u) + " ", [&] { return bus.NastavTamperMask(u); })) {
            return false;
        }
        if (u.unitType == kUnitAttendance &&
            !run.step("MASKA RELÉ " + an(u) + " ", [&] { return bus.NastavReleMask(u); })) {
            return false;
        }
    }
    return true;
}

} // namespace

FullConfigurationResult UplneNastaveni(UnitTransaction& bus, const ConfigurationDatabase& db,
                                       const std::vector<RightRecord>& rights, const Clock& clock,
                                       CollectionStore& events, ProcedureSink& log) {
    Run run(bus, events, log);
    log.setProgressMaximum(static_cast<int>(rights.size()));
    log.setProgress(0);
    runSteps(run, bus, db, rights, clock, log);
    log.setProgress(0);
    if (FileResult closed = events.close(); !closed) {
        run.result.errorFlag = true;
        log.addLine(closed.error());
    }
    return run.result;
}

const char* fullConfigurationMessage(bool errorFlag) {
    return errorFlag ? "POZOR!\r\nChyby při nastavení jednotek" : "Hotovo!";
}

} // namespace qtr
