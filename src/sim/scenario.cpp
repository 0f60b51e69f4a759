#include "sim/scenario.h"

#include "base/file_io.h"
#include "base/hex_text.h"
#include "db/control_unit_record.h"
#include "db/key_holder_record.h"
#include "db/record_file.h"
#include "sim/text_words.h"

namespace qtr::sim {
namespace {

// Words of one line; a double-quoted text is one word (without its quotes).
bool splitWords(std::string_view line, std::vector<std::string>& words, std::vector<bool>& quoted) {
    words.clear();
    quoted.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#') {
            break;
        }
        if (c == '"') {
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string_view::npos) {
                return false;
            }
            words.emplace_back(line.substr(i + 1, end - i - 1));
            quoted.push_back(true);
            i = end + 1;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') {
            ++end;
        }
        words.emplace_back(line.substr(i, end - i));
        quoted.push_back(false);
        i = end;
    }
    return true;
}

bool parseHexByteStrict(std::string_view s, std::uint8_t& out) {
    if (s.empty() || s.size() > 2 || !isHexText(s)) {
        return false;
    }
    out = parseHexByte(s); // one digit is padded with a leading "0"
    return true;
}

bool parseTime(std::string_view s, HourMinute& out) {
    // "6:45" stands for "06:45".
    std::string padded;
    if (s.size() == 4 && s[1] == ':') {
        padded.push_back('0');
    }
    padded.append(s);
    const HourMinute t = parseHourMinute(padded);
    if (t == kInvalidHourMinute) {
        return false;
    }
    out = t;
    return true;
}

struct TypeWord {
    std::string_view word;
    std::uint8_t unitType;
};
constexpr TypeWord kTypeWords[] = {
    {"pristupova", kUnitAccess},     {"přístupová", kUnitAccess}, {"dochazkova", kUnitAttendance},
    {"docházková", kUnitAttendance}, {"dverni", kUnitDoor},       {"dveřní", kUnitDoor},
    {"zavorova", kUnitBarrier},      {"závorová", kUnitBarrier},
};

class LineParser {
public:
    LineParser(const std::vector<std::string>& w, const std::vector<bool>& q) : w_(w), q_(q) {}
    bool done() const { return i_ >= w_.size(); }
    const std::string& peek() const { return w_[i_]; }
    bool peekQuoted() const { return q_[i_]; }
    bool next(std::string& out) {
        if (done()) {
            return false;
        }
        out = w_[i_++];
        return true;
    }

private:
    const std::vector<std::string>& w_;
    const std::vector<bool>& q_;
    std::size_t i_ = 0;
};

bool parseUnit(LineParser& p, bool reader, Scenario& s, std::string& why) {
    std::string word;
    UnitSetup u;
    if (!p.next(word) || !parseHexByteStrict(word, u.address)) {
        why = "chybí adresa jednotky (dvě šestnáctkové číslice)";
        return false;
    }
    if (reader) {
        u.model = kModelReader;
        u.mode = 0;
        u.memoryCode = kNoMemory;
    } else {
        if (!p.next(word)) {
            why = "chybí druh jednotky";
            return false;
        }
        bool found = false;
        for (const auto& t : kTypeWords) {
            if (t.word == word) {
                u = unitSetupForType(u.address, t.unitType, "");
                found = true;
            }
        }
        if (!found && word == "model") {
            std::string m;
            if (!p.next(m) || !parseHexByteStrict(m, u.model)) {
                why = "chybí model jednotky";
                return false;
            }
            found = true;
        }
        if (!found) {
            why = "neznámý druh jednotky: " + word;
            return false;
        }
    }
    while (!p.done()) {
        const bool quoted = p.peekQuoted();
        p.next(word);
        std::string value;
        if (quoted) {
            u.name = word;
        } else if (word == "rezim" && !reader && p.next(value) &&
                   parseHexByteStrict(value, u.mode)) {
        } else if (word == "pamet" && !reader && p.next(value)) {
            int code = 0;
            if (!parseIntInRange(value, 0, 255, code)) {
                why = "paměť: číslo 0..255";
                return false;
            }
            u.memoryCode = static_cast<std::uint8_t>(code);
        } else {
            why = "nečekané slovo: " + word;
            return false;
        }
    }
    for (const auto& other : s.units) {
        if (other.address == u.address) {
            why = "adresa " + hexByteText(u.address) + " je již použita";
            return false;
        }
    }
    s.units.push_back(u);
    return true;
}

bool parsePerson(LineParser& p, Scenario& s, std::string& why) {
    ScenarioPerson person;
    std::string word;
    if (!p.next(word) || !isWellFormedKeyText(word) || word.size() != 14) {
        why = "chybí klíč (14 šestnáctkových číslic)";
        return false;
    }
    person.key = KeyNumber::parse(word);
    if (person.key.isZero()) {
        why = "nulový klíč není klíč";
        return false;
    }
    while (!p.done()) {
        const bool quoted = p.peekQuoted();
        p.next(word);
        std::string a;
        std::string b;
        if (quoted) {
            person.name = word;
        } else if (word == "prichod" && p.next(a) && parseTime(a, person.arrival)) {
        } else if (word == "odchod" && p.next(a) && parseTime(a, person.departure)) {
        } else if (word == "prestavka" && p.next(a) && parseTime(a, person.breakStart) &&
                   p.next(b) && parseIntInRange(b, 0, 240, person.breakMinutes)) {
        } else if (word == "lekar" && p.next(a) &&
                   parseIntInRange(a, 0, 100, person.doctorPercent)) {
        } else if (word == "sluzebne" && p.next(a) &&
                   parseIntInRange(a, 0, 100, person.businessPercent)) {
        } else {
            why = "chybný údaj osoby: " + word;
            return false;
        }
    }
    if (person.departure <= person.arrival) {
        why = "odchod musí být po příchodu";
        return false;
    }
    s.persons.push_back(person);
    return true;
}

bool parseDay(LineParser& p, Scenario& s, std::string& why) {
    std::string word;
    std::string value;
    while (p.next(word)) {
        std::uint8_t addr = 0;
        if (word == "dochazka" && p.next(value) && parseHexByteStrict(value, addr)) {
            s.day.attendanceUnit = addr;
        } else if (word == "vstup" && p.next(value) && parseHexByteStrict(value, addr)) {
            s.day.accessUnit = addr;
            if (!p.done() && parseIntInRange(p.peek(), 0, 3, s.day.door)) {
                p.next(value);
            }
        } else {
            why = "chybný údaj dne: " + word;
            return false;
        }
    }
    return true;
}

} // namespace

UnitSetup unitSetupForType(std::uint8_t address, std::uint8_t unitType, std::string name) {
    UnitSetup u;
    u.address = address;
    u.name = std::move(name);
    switch (unitType) {
    case kUnitAttendance:
        u.model = kModelVkr8;
        u.mode = kModeAttendance;
        break;
    case kUnitDoor:
        u.model = kModelVkrExp;
        u.mode = 0x01;
        break;
    case kUnitBarrier:
        u.model = kModelVkrZav;
        u.mode = 0x03;
        break;
    default:
        u.model = kModelVkr8;
        u.mode = kModeAccess;
        break;
    }
    return u;
}

bool parseScenario(std::string_view text, Scenario& out, std::string& error) {
    Scenario s;
    std::vector<std::string> words;
    std::vector<bool> quoted;
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        std::string why;
        if (!splitWords(line, words, quoted)) {
            why = "neukončené uvozovky";
        } else if (!words.empty()) {
            LineParser p(words, quoted);
            std::string head;
            p.next(head);
            std::string value;
            if (head == "jednotka") {
                parseUnit(p, false, s, why);
            } else if (head == "ctecka" || head == "čtečka") {
                parseUnit(p, true, s, why);
            } else if (head == "osoba") {
                parsePerson(p, s, why);
            } else if (head == "den") {
                parseDay(p, s, why);
            } else if (head == "zpozdeni") {
                if (!p.next(value) || !parseIntInRange(value, 0, 10000, s.latencyMs) || !p.done()) {
                    why = "zpoždění: milisekundy 0..10000";
                }
            } else if (head == "rychlost") {
                if (!p.next(value) || !parseIntInRange(value, 0, 115200, s.baud) || !p.done()) {
                    why = "rychlost: 0, 2400 nebo 9600";
                } else if (s.baud != 0 && s.baud != 2400 && s.baud != 9600) {
                    why = "rychlost: 0, 2400 nebo 9600";
                }
            } else {
                why = "neznámý údaj: " + head;
            }
        }
        if (!why.empty()) {
            error = "řádek " + std::to_string(lineNo) + ": " + why;
            return false;
        }
        if (end == text.size()) {
            break;
        }
    }
    out = std::move(s);
    return true;
}

bool loadScenarioFile(const std::filesystem::path& path, Scenario& out, std::string& error) {
    std::vector<std::uint8_t> bytes;
    const FileResult r = readWholeFile(path, bytes);
    if (!r.ok()) {
        error = r.error();
        return false;
    }
    const std::string text(bytes.begin(), bytes.end());
    return parseScenario(text, out, error);
}

bool loadUnitsFile(const std::filesystem::path& path, Scenario& out, std::string& error) {
    std::vector<UnitSetup> found;
    const auto take = [&](std::span<const std::uint8_t> bytes) {
        const ControlUnitRecord rec = ControlUnitRecord::fromBytes(bytes);
        found.push_back(unitSetupForType(rec.address, rec.unitType, rec.unitName.text()));
    };
    const FileResult r = readRecordFile(path, ControlUnitRecord::kSize, 256, take).result;
    if (!r.ok()) {
        error = r.error();
        return false;
    }
    for (const auto& u : found) {
        bool taken = false;
        for (const auto& other : out.units) {
            taken = taken || other.address == u.address;
        }
        if (!taken) {
            out.units.push_back(u);
        }
    }
    return true;
}

bool loadKeyHoldersFile(const std::filesystem::path& path, Scenario& out, std::string& error) {
    const auto take = [&](std::span<const std::uint8_t> bytes) {
        const KeyHolderRecord rec = KeyHolderRecord::fromBytes(bytes);
        if (rec.keyNumber.isZero()) {
            return;
        }
        ScenarioPerson p;
        p.key = rec.keyNumber;
        p.name = rec.holderName.text();
        out.persons.push_back(p);
    };
    const FileResult r = readRecordFile(path, KeyHolderRecord::kSize, 1000, take).result;
    if (!r.ok()) {
        error = r.error();
        return false;
    }
    return true;
}

} // namespace qtr::sim
