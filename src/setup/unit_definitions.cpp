#include "setup/unit_definitions.h"

#include "base/hex_text.h"
#include "db/tables.h"

#include <cstdio>

namespace qtr::setup {
namespace {

using Texts = std::array<std::string_view, 8>;

// The stored default texts, byte for byte: the trailing blanks of the barrier
// texts are part of the data.
constexpr Texts kDoorReaders = {"Dveře 0 / příchod", "Dveře 0 / odchod",  "Dveře 1 / příchod",
                                "Dveře 1 / odchod",  "Dveře 2 / příchod", "Dveře 2 / odchod",
                                "Dveře 3 / příchod", "Dveře 3 / odchod"};
constexpr Texts kDoorInputs = {"Dveře 0",          "Dveře 1",          "Dveře 2",
                               "Dveře 3",          "* NEOBSAZENO (4)", "* NEOBSAZENO (5)",
                               "* NEOBSAZENO (6)", "* NEOBSAZENO (7)"};
constexpr Texts kAttendanceReaders = {"Příchod",    "Odchod služebně", "Odchod k lékaři",
                                      "Přestávka",  "Odchod",          "* NEOBSAZENO (5)",
                                      "* ZRUŠIT *", "* SALDO *"};
constexpr Texts kAttendanceInputs = {"Dveře 0",          "* NEOBSAZENO (1)", "* NEOBSAZENO (2)",
                                     "* NEOBSAZENO (3)", "* NEOBSAZENO (4)", "* NEOBSAZENO (5)",
                                     "* NEOBSAZENO (6)", "* NEOBSAZENO (7)"};
constexpr Texts kBarrierReaders = {"Příjezd závora 0",  "Odjezd závora 0 ",  "Příjezd závora 1",
                                   "Odjezd závora 1 ",  "* NEOBSAZENO (4) ", "* NEOBSAZENO (5) ",
                                   "* NEOBSAZENO (6) ", "* NEOBSAZENO (7) "};
constexpr Texts kBarrierInputs = {"Závora 0 ",        "Závora 1 ",        "Manual-závora 0 ",
                                  "Manual-závora 1 ", "Infrabariéra 0  ", "Infrabariéra 1  ",
                                  "* NEOBSAZENO (6)", "* NEOBSAZENO (7) "};

void setTexts(std::array<ShortString<17>, 8>& fields, const Texts& texts) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i].setText(texts[i]);
    }
}

} // namespace

std::optional<TypeEnabling> enablingForTypeText(std::string_view t) {
    TypeEnabling e;
    e.objects.fill(true);
    if (t == "01") {
        e.typingLabel = "VKR8";
        e.alarm = true;
    } else if (t == "02") {
        e.typingLabel = "docházková";
        e.alarm = true;
        e.relay = true;
    } else if (t == "03") {
        e.typingLabel = "expander";
        e.alarm = true;
    } else if (t == "04") {
        e.typingLabel = "závorová";
        e.objects = {true, true, false, false, false, false, true, true};
    } else {
        return std::nullopt;
    }
    return e;
}

void applyStandardDescription(ControlUnitRecord& u) {
    u.alarmMask = 0xFF;
    u.relayMask = 0;
    u.parameters.fill(0);
    for (std::size_t i = 0; i < u.resultTexts.size(); ++i) {
        u.resultTexts[i].setText(kDefaultResultTexts[i]);
    }
    switch (u.unitType) {
    case kUnitAccess:
    case kUnitDoor:
        setTexts(u.readerNames, kDoorReaders);
        setTexts(u.inputNames, kDoorInputs);
        break;
    case kUnitAttendance:
        setTexts(u.readerNames, kAttendanceReaders);
        setTexts(u.inputNames, kAttendanceInputs);
        break;
    case kUnitBarrier:
        setTexts(u.readerNames, kBarrierReaders);
        setTexts(u.inputNames, kBarrierInputs);
        break;
    default:
        for (auto& t : u.readerNames) {
            t.setText("?");
        }
        for (auto& t : u.inputNames) {
            t.setText("?");
        }
        u.unitName.setText("?");
        return;
    }
    u.unitName.setText(unitTypeName(u.unitType));
    switch (u.unitType) {
    case kUnitAccess:
        u.parameters[0] = 0x51;
        break;
    case kUnitAttendance:
        u.parameters[0] = 0x12;
        break;
    case kUnitDoor:
        std::fill_n(u.parameters.begin(), 9, 1);
        break;
    case kUnitBarrier:
        u.parameters[0] = 3;
        u.parameters[1] = 0;
        u.parameters[2] = 0;
        std::fill_n(u.parameters.begin() + 3, 4, 1);
        break;
    default:
        break;
    }
}

std::string_view barrierKindName(std::uint8_t code) {
    for (const auto& k : kBarrierKinds) {
        if (k.code == code) {
            return k.name;
        }
    }
    return "???";
}

std::string parametersText(const std::array<std::uint8_t, 16>& parameters) {
    std::string s;
    for (std::uint8_t b : parameters) {
        s += hexByteText(b);
    }
    return s;
}

std::string coordinatesText(std::int32_t x, std::int32_t y) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%3.3d,%3.3d", static_cast<int>(x), static_cast<int>(y));
    return buf;
}

std::optional<UsageLayout> usageLayoutForType(std::uint8_t unitType) {
    switch (unitType) {
    case 1:
    case 3:
    case 8:
        return UsageLayout{"Vnější vstupy do objektu", 4, false};
    case 4:
    case 9:
        return UsageLayout{"Vnější vstupy do objektu", 2, false};
    case 2:
        return UsageLayout{"Funkce jednotky", 1, true};
    default:
        return std::nullopt;
    }
}

std::optional<std::string> checkUnitRecord(const ControlUnitTable& units,
                                           const ControlUnitRecord& unit, int position) {
    if (unit.address == 0) {
        return "Tato adresa je vyhražena pro jiné použití!";
    }
    bool inUse = false;
    for (int i = 1; i <= units.count(); ++i) {
        if (units.at(i).address != unit.address) {
            continue;
        }
        inUse = true;
        if (i != position) {
            return "Tuto adresu používá jednotka\n" + units.at(i).unitName.text();
        }
    }
    if (!inUse && (unit.unitType < kUnitAccess || unit.unitType > kUnitBarrier)) {
        return "Neznámý typ jednotky!";
    }
    return std::nullopt;
}

} // namespace qtr::setup
