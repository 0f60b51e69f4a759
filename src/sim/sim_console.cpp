#include "sim/sim_console.h"

#include "base/hex_text.h"
#include "comm/unit_texts.h"
#include "sim/text_words.h"

#include <ostream>
#include <vector>

namespace qtr::sim {
namespace {

std::string keyResultText(int result) {
    static const char* const kTexts[] = {"povoleno", "neoprávněný", "neotevřeno", "nezavřeno"};
    return kTexts[result & 3];
}

const char* const kHelp =
    "Příkazy:\n"
    "  klic ADR CTECKA KLIC      přiložit klíč (14 šestnáctkových číslic) ke čtečce\n"
    "  vstup ADR VSTUP 0|1       změnit vstup 0..7 (1 = aktivován)\n"
    "  porucha ADR DRUH [POCET]  porucha: zadna, neodpovida, soucet, adresa, rozdelena,\n"
    "                            smeti, dlouha, pozde, potvrzeni (POCET 0 = trvale)\n"
    "  zpozdeni ADR MS           zpoždění odpovědi jednotky\n"
    "  hodiny ADR POSUN [DRIFT]  posun hodin jednotky o POSUN sekund (kladný napřed),\n"
    "                            DRIFT: kolik sekund za hodinu hodiny získají (- ztratí)\n"
    "  vypadek ADR               výpadek napájení: hodiny jednotky začnou od 01.01.2000\n"
    "  jednotky                  seznam jednotek\n"
    "  stav ADR                  stav jednotky\n"
    "  prava ADR                 uložená oprávnění\n"
    "  udalosti ADR              události čekající na sběr\n"
    "  den [DNY [RYCHLOST]]      denní režim (RYCHLOST: simulované sekundy za sekundu)\n"
    "  den stop                  ukončit denní režim\n"
    "  konec                     ukončit qtr-sim\n";

} // namespace

std::string unitRightText(const UnitRight& r) {
    return r.key.text() + " " + hourMinuteText(r.fromTime) + " " + hourMinuteText(r.toTime) + " " +
           hexByteText(r.dayMask) + " " + hexByteText(r.objectMask);
}

std::string storedEventText(const StoredEvent& e) {
    const DateTime t = unpackDateTime(e.packedTime);
    std::string text =
        e.key.text() + " " +
        (t == 0 ? std::string("??.??.???? ??:??:??") : formatDateTime("dd.mm.yyyy hh:nn:ss", t)) +
        " kód " + hexByteText(e.eventCode) + " (";
    const int sensor = e.eventCode & 0x0F;
    const int result = e.eventCode >> 4 & 3;
    if (sensor < 8) {
        text += "čtečka " + std::to_string(sensor) + ", " + keyResultText(result);
    } else {
        text += "vstup " + std::to_string(sensor - 8) + ", " +
                (result == 0   ? "klidový stav"
                 : result == 3 ? "AKTIVOVÁNO"
                               : "?");
    }
    return text + ")";
}

SimUnit* SimConsole::unitArgument(const std::string& word, std::ostream& out) {
    if (word.empty() || word.size() > 2 || !isHexText(word)) {
        out << "Adresa jednotky jsou dvě šestnáctkové číslice.\n";
        return nullptr;
    }
    const std::uint8_t address = parseHexByte(word.size() == 1 ? "0" + word : word);
    SimUnit* u = bus_.unit(address);
    if (u == nullptr) {
        out << "Jednotka " << hexByteText(address) << " na sběrnici není.\n";
    }
    return u;
}

void SimConsole::showUnits(std::ostream& out) const {
    if (bus_.units().empty()) {
        out << "Na sběrnici není žádná jednotka.\n";
    }
    for (const auto& [address, u] : bus_.units()) {
        out << hexByteText(address) << " " << unitModelText(u.model());
        if (u.model() == kModelVkr8) {
            out << (u.isAttendance() ? " docházková" : " přístupová");
        }
        out << "  \"" << u.name() << "\"  " << unitStateText(u.state()) << ", "
            << u.events().pending() << " událostí, " << u.rights().count() << " oprávnění";
        if (u.fault() != UnitFault::None) {
            out << ", porucha " << faultWord(u.fault());
        }
        out << "\n";
    }
}

void SimConsole::showState(const SimUnit& u, std::ostream& out) const {
    const DateTime now = bus_.now();
    const DateTime t = u.clock().now(now);
    out << "Jednotka " << hexByteText(u.address()) << " \"" << u.name() << "\"\n"
        << "  Typ: " << unitModelText(u.model()) << ", režim " << hexByteText(u.mode()) << "\n"
        << "  Stav: " << unitStateText(u.state()) << "\n"
        << "  Čas jednotky: " << formatDateTime("dd.mm.yyyy hh:nn:ss dddd", t) << "\n"
        << "  Oprávnění: " << u.rights().count() << " z " << u.rights().capacity() << "\n"
        << "  Události: " << u.events().pending() << " čeká na sběr, místo pro "
        << u.events().capacity() << (u.events().overflowed() ? ", PŘETEČENÍ" : "") << "\n"
        << "  Alarm: " << hexByteText(u.alarmMask()) << "  Relé: " << hexByteText(u.relayMask())
        << "  Vstupy:";
    for (int i = 0; i < 8; ++i) {
        out << " " << (u.inputActive(i) ? 1 : 0);
    }
    out << "\n  Porucha: " << faultWord(u.fault()) << ", zpoždění " << u.latencyMs() << " ms\n";
    const auto s = u.statusBytes(now);
    out << "  Stavová odpověď:";
    for (auto b : s) {
        out << " " << hexByteText(b);
    }
    out << "\n";
}

void SimConsole::showRights(const SimUnit& u, std::ostream& out) const {
    if (u.rights().count() == 0) {
        out << "Jednotka " << hexByteText(u.address()) << " nemá žádná oprávnění.\n";
    }
    int n = 0;
    for (const auto& r : u.rights().rights()) {
        out << ++n << ": " << unitRightText(r) << "\n";
    }
}

void SimConsole::showEvents(const SimUnit& u, std::ostream& out) const {
    if (u.isReader()) {
        out << (u.waitingKey().isZero() ? std::string("Žádný klíč nečeká.")
                                        : "Čeká klíč " + u.waitingKey().text())
            << "\n";
        return;
    }
    if (u.events().pending() == 0) {
        out << "Jednotka " << hexByteText(u.address()) << " nemá žádné události.\n";
    }
    int n = 0;
    for (const auto& e : u.events().events()) {
        out << ++n << ": " << storedEventText(e) << "\n";
    }
}

ConsoleOutcome SimConsole::execute(std::string_view line, std::ostream& out) {
    const auto w = splitWords(line);
    ConsoleOutcome outcome;
    const ConsoleOutcome refused{ConsoleOutcome::Kind::Done, true};
    if (w.empty()) {
        return outcome;
    }
    const std::string& cmd = w[0];
    const auto argc = w.size() - 1;
    if (cmd == "konec" || cmd == "quit") {
        outcome.kind = ConsoleOutcome::Kind::Quit;
    } else if (cmd == "napoveda" || cmd == "help" || cmd == "?") {
        out << kHelp;
    } else if (cmd == "jednotky") {
        showUnits(out);
    } else if ((cmd == "stav" || cmd == "prava" || cmd == "udalosti") && argc == 1) {
        SimUnit* u = unitArgument(w[1], out);
        if (u == nullptr) {
            return refused;
        }
        if (cmd == "stav") {
            showState(*u, out);
        } else if (cmd == "prava") {
            showRights(*u, out);
        } else {
            showEvents(*u, out);
        }
    } else if (cmd == "klic" && argc == 3) {
        SimUnit* u = unitArgument(w[1], out);
        int reader = 0;
        if (u == nullptr) {
            return refused;
        }
        if (!parseIntInRange(w[2], 0, 7, reader) || reader >= u->readerCount()) {
            out << "Jednotka " << hexByteText(u->address()) << " má čtečky 0.."
                << u->readerCount() - 1 << ".\n";
            return refused;
        }
        if (!isWellFormedKeyText(w[3]) || w[3].size() != 14 || KeyNumber::parse(w[3]).isZero()) {
            out << "Klíč je 14 šestnáctkových číslic a není nulový.\n";
            return refused;
        }
        const KeyNumber key = KeyNumber::parse(w[3]);
        const Presentation p = u->presentKey(reader, key, bus_.now());
        out << hexByteText(u->address()) << "/" << reader << " " << key.text() << ": ";
        if (u->isReader()) {
            out << "klíč čeká na přečtení\n";
        } else if (!p.inService) {
            out << "jednotka mimo provoz (" << unitStateText(u->state()) << ")\n";
        } else {
            out << keyResultText(p.permitted ? 0 : 1);
            if (p.doorOpened) {
                out << ", otevřeno";
            }
            if (!p.recorded) {
                out << ", událost NEZAPSÁNA (plná paměť)";
            }
            out << "\n";
        }
    } else if (cmd == "vstup" && argc == 3) {
        SimUnit* u = unitArgument(w[1], out);
        int input = 0;
        int state = 0;
        if (u == nullptr) {
            return refused;
        }
        if (!parseIntInRange(w[2], 0, 7, input) || !parseIntInRange(w[3], 0, 1, state) ||
            u->isReader()) {
            out << "Vstup je číslo 0..7 a stav 0 nebo 1 (čtečka vstupy nemá).\n";
            return refused;
        }
        bool recorded = false;
        u->changeInput(input, state == 1, bus_.now(), &recorded);
        out << hexByteText(u->address()) << " vstup " << input << ": "
            << (state == 1 ? "AKTIVOVÁNO" : "klidový stav")
            << (recorded ? ", událost zapsána" : ", bez události") << "\n";
    } else if (cmd == "porucha" && (argc == 2 || argc == 3)) {
        SimUnit* u = unitArgument(w[1], out);
        if (u == nullptr) {
            return refused;
        }
        const auto fault = faultFromWord(w[2]);
        int count = 0;
        if (!fault || (argc == 3 && !parseIntInRange(w[3], 0, 1000000, count))) {
            out << "Porucha: zadna, neodpovida, soucet, adresa, rozdelena, smeti, dlouha, "
                   "pozde, potvrzeni; počet 0 = trvale.\n";
            return refused;
        }
        u->setFault(*fault, count);
        out << hexByteText(u->address()) << ": porucha " << faultWord(*fault);
        if (*fault != UnitFault::None) {
            out << (count == 0 ? std::string(" trvale") : " " + std::to_string(count) + "x");
        }
        out << "\n";
    } else if (cmd == "zpozdeni" && argc == 2) {
        SimUnit* u = unitArgument(w[1], out);
        int ms = 0;
        if (u == nullptr) {
            return refused;
        }
        if (!parseIntInRange(w[2], 0, 10000, ms)) {
            out << "Zpoždění je 0..10000 ms.\n";
            return refused;
        }
        u->setLatencyMs(ms);
        out << hexByteText(u->address()) << ": zpoždění " << ms << " ms\n";
    } else if (cmd == "hodiny" && (argc == 2 || argc == 3)) {
        SimUnit* u = unitArgument(w[1], out);
        int shift = 0;
        int drift = 0;
        if (u == nullptr) {
            return refused;
        }
        // A leading "+" reads as it is meant: ahead.
        const std::string_view shiftText =
            w[2].starts_with('+') ? std::string_view(w[2]).substr(1) : std::string_view(w[2]);
        if (!parseIntInRange(shiftText, -100000000, 100000000, shift) ||
            (argc == 3 && !parseIntInRange(w[3], -3600, 3600, drift))) {
            out << "hodiny ADR POSUN [DRIFT]: posun v sekundách, drift -3600..3600 s za hodinu.\n";
            return refused;
        }
        const DateTime now = bus_.now();
        UnitClock& clock = u->clock();
        clock.set(clock.now(now) + shift / 86400.0, now);
        if (argc == 3) {
            clock.setDrift(drift, now);
        }
        out << hexByteText(u->address()) << ": čas jednotky "
            << formatDateTime("dd.mm.yyyy hh:nn:ss", clock.now(now)) << ", drift " << clock.drift()
            << " s za hodinu\n";
    } else if (cmd == "vypadek" && argc == 1) {
        SimUnit* u = unitArgument(w[1], out);
        if (u == nullptr) {
            return refused;
        }
        u->clock().powerCut(bus_.now());
        out << hexByteText(u->address())
            << ": výpadek napájení, čas jednotky 01.01.2000 00:00:00\n";
    } else if (cmd == "den") {
        if (argc == 1 && w[1] == "stop") {
            outcome.kind = ConsoleOutcome::Kind::DayStop;
            return outcome;
        }
        int days = 1;
        int rate = 600;
        if ((argc >= 1 && !parseIntInRange(w[1], 1, 365, days)) ||
            (argc >= 2 && !parseIntInRange(w[2], 1, 100000, rate)) || argc > 2) {
            out << "den [DNY 1..365 [RYCHLOST 1..100000]] nebo den stop\n";
            return refused;
        }
        outcome.kind = ConsoleOutcome::Kind::DayStart;
        outcome.days = days;
        outcome.rate = rate;
    } else {
        out << "Neznámý nebo neúplný příkaz: " << line << " (napoveda vypíše příkazy)\n";
        return refused;
    }
    return outcome;
}

} // namespace qtr::sim
