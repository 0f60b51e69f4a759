#pragma once

#include "base/hour_minute.h"
#include "base/key_number.h"
#include "sim/sim_unit.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qtr::sim {

// A person of the day mode: a key and the habits of a working day.
struct ScenarioPerson {
    KeyNumber key;
    std::string name;
    HourMinute arrival = makeHourMinute(7, 0);
    HourMinute departure = makeHourMinute(15, 30);
    HourMinute breakStart = makeHourMinute(11, 30);
    int breakMinutes = 30;   // 0: no break
    int doctorPercent = 0;   // chance of a visit to the doctor on a day
    int businessPercent = 0; // chance of a business trip on a day
};

// Where the persons of the day mode book and pass.
struct DayPlaces {
    std::optional<std::uint8_t> attendanceUnit; // default: the first attendance unit
    std::optional<std::uint8_t> accessUnit;     // default: the first access unit
    int door = 0;                               // door of the access unit
};

struct Scenario {
    std::vector<UnitSetup> units;
    std::vector<ScenarioPerson> persons;
    int latencyMs = 10;
    int baud = 0; // 0: answers are not paced at a line speed
    DayPlaces day;
};

// Parses the scenario text; on failure `error` reads "řádek N: ..." and names
// what is wrong. The format is described in README.
bool parseScenario(std::string_view text, Scenario& out, std::string& error);
bool loadScenarioFile(const std::filesystem::path& path, Scenario& out, std::string& error);

// Units from a unit file (QTR0001.DAT) and persons from a key holder file
// (QTR0002.DAT), with the default habits. Appends to `out`.
bool loadUnitsFile(const std::filesystem::path& path, Scenario& out, std::string& error);
bool loadKeyHoldersFile(const std::filesystem::path& path, Scenario& out, std::string& error);

// The unit a unit record describes: access and attendance units are VKR-8s in
// their mode, door units expanders, barrier units VKR-ZAV.
UnitSetup unitSetupForType(std::uint8_t address, std::uint8_t unitType, std::string name);

} // namespace qtr::sim
