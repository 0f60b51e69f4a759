#include "sim/bus_state.h"

#include "base/file_io.h"
#include "base/hex_text.h"
#include "sim/demo_scenario.h"
#include "sim/text_words.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace qtr::sim {
namespace {

std::string hex32(std::uint32_t v) {
    std::string s;
    for (int i = 3; i >= 0; --i) {
        s += hexByteText(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    return s;
}

bool parseHex(std::string_view s, std::size_t digits, std::uint32_t& out) {
    if (s.size() != digits || !isHexText(s)) {
        return false;
    }
    std::uint32_t v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
    if (ec != std::errc() || p != s.data() + s.size()) {
        return false;
    }
    out = v;
    return true;
}

bool parseByte(std::string_view s, std::uint8_t& out) {
    std::uint32_t v = 0;
    if (!parseHex(s, 2, v)) {
        return false;
    }
    out = static_cast<std::uint8_t>(v);
    return true;
}

bool parseKey(std::string_view s, KeyNumber& out) {
    if (s.size() != 14 || !isHexText(s)) {
        return false;
    }
    out = KeyNumber::parse(s);
    return true;
}

std::string offsetText(DateTime d) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

} // namespace

std::string busStateText(const SimBus& bus) {
    std::string t = "# qtr-sim: stav simulovaných jednotek\n";
    const DateTime now = bus.now();
    for (const auto& [address, unit] : bus.units()) {
        const UnitSnapshot s = unit.snapshot(now);
        t += "jednotka " + hexByteText(address) + " model " + hexByteText(s.setup.model) +
             " rezim " + hexByteText(s.mode) + " pamet " + hexByteText(s.setup.memoryCode) +
             " stav " + hexByteText(s.state) + " alarm " + hexByteText(s.alarmMask) + " rele " +
             hexByteText(s.relayMask) + " vstupy " + hexByteText(s.inputs) + " preteceni " +
             (s.overflow ? "1" : "0") + " zpozdeni " + std::to_string(s.latencyMs) + " hodiny " +
             offsetText(s.clockOffset) +
             (s.clockDrift != 0 ? " drift " + offsetText(s.clockDrift) : std::string()) + "\n";
        t += "parametry ";
        for (auto b : s.parameters) {
            t += hexByteText(b);
        }
        t += "\nnazev " + s.setup.name + "\n";
        for (const auto& r : s.rights) {
            t += "pravo " + r.key.text() + " " + hex32(r.fromTime).substr(4) + " " +
                 hex32(r.toTime).substr(4) + " " + hexByteText(r.dayMask) + " " +
                 hexByteText(r.objectMask) + "\n";
        }
        for (const auto& e : s.events) {
            t += "udalost " + e.key.text() + " " + hex32(e.packedTime) + " " +
                 hexByteText(e.eventCode) + "\n";
        }
        if (!s.readerEvent.key.isZero()) {
            t += "klic " + s.readerEvent.key.text() + " " + hex32(s.readerEvent.packedTime) + "\n";
        }
    }
    return t;
}

bool restoreBusState(std::string_view text, SimBus& bus, std::string& error) {
    std::optional<UnitSnapshot> unit;
    int unitLine = 0;
    auto finish = [&]() {
        if (unit && bus.restoreUnit(*unit) == nullptr) {
            error = "řádek " + std::to_string(unitLine) + ": adresa " +
                    hexByteText(unit->setup.address) + " je již použita";
            return false;
        }
        unit.reset();
        return true;
    };
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const auto w = splitWords(line);
        if (w.empty() || w[0].starts_with("#")) {
            continue;
        }
        bool ok = true;
        if (w[0] == "jednotka") {
            if (!finish()) {
                return false;
            }
            UnitSnapshot s;
            // A clock that drifts carries two more words: "drift" and its seconds per hour.
            ok = (w.size() == 22 || (w.size() == 24 && w[22] == "drift")) &&
                 parseByte(w[1], s.setup.address) && w[2] == "model" &&
                 parseByte(w[3], s.setup.model) && w[4] == "rezim" && parseByte(w[5], s.mode) &&
                 w[6] == "pamet" && parseByte(w[7], s.setup.memoryCode) && w[8] == "stav" &&
                 parseByte(w[9], s.state) && w[10] == "alarm" && parseByte(w[11], s.alarmMask) &&
                 w[12] == "rele" && parseByte(w[13], s.relayMask) && w[14] == "vstupy" &&
                 parseByte(w[15], s.inputs) && w[16] == "preteceni" &&
                 (w[17] == "0" || w[17] == "1") && w[18] == "zpozdeni" && w[20] == "hodiny";
            if (ok) {
                s.overflow = w[17] == "1";
                s.setup.mode = s.mode;
                const auto [p1, e1] =
                    std::from_chars(w[19].data(), w[19].data() + w[19].size(), s.latencyMs);
                const auto [p2, e2] =
                    std::from_chars(w[21].data(), w[21].data() + w[21].size(), s.clockOffset);
                // from_chars takes "nan" and "inf"; a clock needs a finite offset.
                ok = e1 == std::errc() && e2 == std::errc() && p1 == w[19].data() + w[19].size() &&
                     p2 == w[21].data() + w[21].size() && s.latencyMs >= 0 &&
                     s.latencyMs <= 10000 &&
                     std::fabs(s.clockOffset) < kEndOfValidDateTimes - kFirstValidDateTime;
                if (ok && w.size() == 24) {
                    const auto [p3, e3] =
                        std::from_chars(w[23].data(), w[23].data() + w[23].size(), s.clockDrift);
                    ok = e3 == std::errc() && p3 == w[23].data() + w[23].size() &&
                         std::isfinite(s.clockDrift);
                }
            }
            if (ok) {
                unit = s;
                unitLine = lineNo;
            }
        } else if (!unit) {
            ok = false;
        } else if (w[0] == "parametry") {
            ok = w.size() == 2 && w[1].size() == 32;
            for (std::size_t i = 0; ok && i < 16; ++i) {
                ok = parseByte(std::string_view(w[1]).substr(2 * i, 2), unit->parameters[i]);
            }
        } else if (w[0] == "nazev") {
            const std::size_t at = line.find("nazev") + 5;
            unit->setup.name = at < line.size() ? std::string(line.substr(at + 1)) : "";
        } else if (w[0] == "pravo") {
            UnitRight r;
            std::uint32_t from = 0;
            std::uint32_t to = 0;
            ok = w.size() == 6 && parseKey(w[1], r.key) && parseHex(w[2], 4, from) &&
                 parseHex(w[3], 4, to) && parseByte(w[4], r.dayMask) &&
                 parseByte(w[5], r.objectMask);
            r.fromTime = static_cast<HourMinute>(from);
            r.toTime = static_cast<HourMinute>(to);
            if (ok) {
                unit->rights.push_back(r);
            }
        } else if (w[0] == "udalost") {
            StoredEvent e;
            ok = w.size() == 4 && parseKey(w[1], e.key) && parseHex(w[2], 8, e.packedTime) &&
                 parseByte(w[3], e.eventCode);
            if (ok) {
                unit->events.push_back(e);
            }
        } else if (w[0] == "klic") {
            ok = w.size() == 3 && parseKey(w[1], unit->readerEvent.key) &&
                 parseHex(w[2], 8, unit->readerEvent.packedTime);
        } else {
            ok = false;
        }
        if (!ok) {
            error = "řádek " + std::to_string(lineNo) + ": nesrozumitelný záznam";
            return false;
        }
    }
    return finish();
}

FileResult saveBusState(const SimBus& bus, const std::filesystem::path& file) {
    return writeFileAtomically(file, busStateText(bus));
}

bool loadBusState(const std::filesystem::path& file, SimBus& bus, std::string& error) {
    std::vector<std::uint8_t> bytes;
    const FileResult r = readWholeFile(file, bytes);
    if (!r.ok()) {
        error = r.error();
        return false;
    }
    if (!restoreBusState(std::string(bytes.begin(), bytes.end()), bus, error)) {
        error = file.filename().string() + ", " + error;
        return false;
    }
    return true;
}

bool openDataDirBus(const std::filesystem::path& dir, std::uint8_t readerAddress, SimBus& bus,
                    std::string& error) {
    const auto stateFile = dir / kSimulatedBusFile;
    if (isPresent(stateFile) && !loadBusState(stateFile, bus, error)) {
        return false;
    }
    Scenario s;
    if (!scenarioFromDataDir(dir, readerAddress, s, error)) {
        return false;
    }
    for (const auto& u : s.units) {
        if (bus.unit(u.address) == nullptr) {
            bus.addUnit(u);
        }
    }
    return true;
}

FileResult saveDataDirBus(const std::filesystem::path& dir, const SimBus& bus) {
    return saveBusState(bus, dir / kSimulatedBusFile);
}

} // namespace qtr::sim
