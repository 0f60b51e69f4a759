#pragma once

#include "base/clock.h"
#include "sim/scenario.h"
#include "sim/sim_bus.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace qtr::sim {

// One thing a person does at a unit.
struct DayAction {
    DateTime unitTime = 0; // on the clock of the day's reference unit
    std::size_t person = 0;
    std::uint8_t unit = 0;
    int reader = 0;
};

// The day mode: the scenario's persons come to work, take their break, now and
// then visit the doctor or go on business, and leave, at the attendance unit
// (reader 0 "Příchod", 1 "Odchod služebně", 2 "Odchod k lékaři", 3 "Přestávka",
// 4 "Odchod") and through one door of an access unit (arrival and departure
// readers). Days are planned on the clock of the reference unit (the attendance
// unit, else the access unit) with random spread from a fixed seed, Monday to
// Friday. Keys are judged by the units as every other presentation.
class DaySimulation {
public:
    DaySimulation(SimBus& bus, const Scenario& scenario, std::uint32_t seed);

    // False (with a Czech text) when there is nobody or nowhere to go.
    bool ready(std::string& why) const;

    // The reference unit's time now.
    DateTime unitNow() const;
    // Plans the next working day that has not begun on the reference clock
    // (today when it is a working day before 05:00, else the next one).
    DateTime planNextDay();
    // The start of the planned day (05:00) and its end (after the last action).
    DateTime dayStart() const { return dayStart_; }
    bool dayDone() const { return next_ >= plan_.size(); }
    // Time of the next planned action, or the day's start when nothing is planned.
    DateTime nextActionTime() const;

    // Carries out every planned action due by the reference clock; one text per
    // action: "dd.mm.yyyy hh:nn Jméno: Příchod (02/0) povoleno".
    std::vector<std::string> advance();

    const std::vector<DayAction>& plan() const { return plan_; }

private:
    void planPerson(std::size_t index, DateTime day);
    void add(DateTime t, std::size_t person, std::uint8_t unit, int reader);
    int spread(int minutes);
    int chance(int percent);

    SimBus& bus_;
    std::vector<ScenarioPerson> persons_;
    std::optional<std::uint8_t> attendance_;
    std::optional<std::uint8_t> access_;
    int door_ = 0;
    std::mt19937 random_;
    std::vector<DayAction> plan_;
    std::size_t next_ = 0;
    DateTime dayStart_ = 0;
};

// Runs `days` working days at once on a bus whose clock the caller holds: the
// clock is moved to each planned action in turn. Returns the action texts.
std::vector<std::string> simulateWorkingDays(DaySimulation& day, ManualClock& busClock, int days);
// The same on a bus clock that `moveAhead` moves on by the given days.
std::vector<std::string>
simulateWorkingDays(DaySimulation& day, const std::function<void(DateTime)>& moveAhead, int days);

} // namespace qtr::sim
