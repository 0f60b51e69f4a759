#include "sim/demo_scenario.h"

#include "base/file_io.h"
#include "db/data_files.h"

namespace qtr::sim {

std::string_view demoScenarioText() {
    return R"(# Předváděcí instalace
zpozdeni 10
jednotka 01 pristupova "Hlavní vchod"
jednotka 02 dochazkova "Docházka"
jednotka 03 dverni "Sklady"
jednotka 04 zavorova "Parkoviště"
ctecka 00 "Čtečka u PC"
osoba 0100000012345A "Jan Novák" prichod 07:00 odchod 15:30 prestavka 11:30 30 lekar 5
osoba 0200000023456B "Eva Svobodová" prichod 06:30 odchod 15:00 prestavka 11:00 30
osoba 0300000034567C "Petr Dvořák" prichod 08:00 odchod 16:30 prestavka 12:00 45 sluzebne 10
osoba 0400000045678D "Marie Černá" prichod 07:15 odchod 15:45 prestavka 11:45 30 lekar 10
osoba 0500000056789E "Tomáš Král" prichod 05:50 odchod 14:20 prestavka 10:00 20
den dochazka 02 vstup 01 0
)";
}

Scenario demoScenario() {
    Scenario s;
    std::string error;
    parseScenario(demoScenarioText(), s, error);
    return s;
}

bool scenarioFromDataDir(const std::filesystem::path& dir, std::uint8_t readerAddress,
                         Scenario& out, std::string& error) {
    Scenario s;
    if (isPresent(dir / kUnitsFile) && !loadUnitsFile(dir / kUnitsFile, s, error)) {
        return false;
    }
    if (isPresent(dir / kKeyHoldersFile) && !loadKeyHoldersFile(dir / kKeyHoldersFile, s, error)) {
        return false;
    }
    bool taken = false;
    for (const auto& u : s.units) {
        taken = taken || u.address == readerAddress;
    }
    if (!taken) {
        UnitSetup reader;
        reader.address = readerAddress;
        reader.model = kModelReader;
        reader.mode = 0;
        reader.memoryCode = kNoMemory;
        reader.name = "čtečka";
        s.units.push_back(reader);
    }
    out = std::move(s);
    return true;
}

bool populateBus(SimBus& bus, const Scenario& scenario) {
    bool all = true;
    for (const auto& u : scenario.units) {
        if (SimUnit* unit = bus.addUnit(u)) {
            unit->setLatencyMs(scenario.latencyMs);
        } else {
            all = false;
        }
    }
    return all;
}

} // namespace qtr::sim
