#pragma once

#include "sim/sim_bus.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace qtr::sim {

// What a console line asks of the program around the console.
struct ConsoleOutcome {
    enum class Kind { Done, Quit, DayStart, DayStop };
    Kind kind = Kind::Done;
    bool refused = false; // the line was not understood or named nothing on the bus
    int days = 1;         // day mode: working days to simulate
    double rate = 600;    // day mode: simulated seconds per real second
};

// The operator's console of qtr-sim: one command per line, answers in Czech.
//   klic ADR CTECKA KLIC     present a key at a reader
//   vstup ADR VSTUP 0|1      change an input
//   porucha ADR DRUH [POCET] set a fault (zadna, neodpovida, soucet, adresa,
//                            rozdelena, smeti, dlouha, pozde, potvrzeni)
//   zpozdeni ADR MS          the unit's answer latency
//   hodiny ADR POSUN [DRIFT] move the unit's clock by seconds, let it drift (s per hour)
//   vypadek ADR              a power cut: the unit's clock starts again at 01.01.2000
//   jednotky                 list the units
//   stav ADR | prava ADR | udalosti ADR
//   den [DNY [RYCHLOST]] | den stop
//   napoveda | konec
class SimConsole {
public:
    explicit SimConsole(SimBus& bus) : bus_(bus) {}

    ConsoleOutcome execute(std::string_view line, std::ostream& out);

private:
    SimUnit* unitArgument(const std::string& word, std::ostream& out);
    void showUnits(std::ostream& out) const;
    void showState(const SimUnit& u, std::ostream& out) const;
    void showRights(const SimUnit& u, std::ostream& out) const;
    void showEvents(const SimUnit& u, std::ostream& out) const;

    SimBus& bus_;
};

// "0100000012345A 07:30 16:00 7F 00": the key, the window, the day and object masks.
std::string unitRightText(const UnitRight& r);
// "0100000012345A 09.12.2026 07:02:10 kód 10 (čtečka 0, neoprávněný)".
std::string storedEventText(const StoredEvent& e);

} // namespace qtr::sim
