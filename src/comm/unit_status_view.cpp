#include "comm/unit_status_view.h"

#include "base/hex_text.h"
#include "comm/unit_texts.h"

#include <cstdio>

namespace qtr {
namespace {

std::string sixHexDigits(std::uint32_t v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(v & 0xFFFFFF));
    return buf;
}

std::string modeSuffix(std::uint8_t mode) {
    switch (mode & 0x0F) {
    case 1:
        return " přístupová";
    case 2:
        return " docházková";
    default:
        return " neznámý mód!";
    }
}

std::string clockDayName(std::uint8_t dow) {
    static constexpr const char* kNames[] = {"neděle",  "pondělí", "úterý", "středa",
                                             "čtvrtek", "pátek",   "sobota"};
    // A unit with a damaged clock may report anything here.
    return dow < 7 ? kNames[dow] : "???";
}

} // namespace

std::uint32_t statusU24(std::span<const std::uint8_t, kUnitStatusSize> status, std::size_t offset) {
    return std::uint32_t{status[offset]} | std::uint32_t{status[offset + 1]} << 8 |
           std::uint32_t{status[offset + 2]} << 16;
}

UnitStatusView decodeUnitStatus(std::span<const std::uint8_t, kUnitStatusSize> s) {
    UnitStatusView v;
    const std::uint8_t model = s[1];
    v.address = hexByteText(s[0]);
    v.unitType = unitModelText(model);
    if (model == 1) {
        v.unitType += modeSuffix(s[3]);
    }
    v.unitState = unitStateText(s[2]);
    v.mode = hexByteText(s[3]);
    v.memory = s[4] == 255 ? std::string("žádná paměť") : std::to_string((s[4] + 1) * 32) + " kB";
    v.alarm = hexByteText(s[5]);
    v.relay = hexByteText(s[6]);
    v.unitClock = hexByteText(s[26]) + "." + hexByteText(s[27]) + "." + hexByteText(s[29]) + " " +
                  hexByteText(s[25]) + ":" + hexByteText(s[24]) + ":" + hexByteText(s[23]) + " - " +
                  clockDayName(s[28]);

    const auto events = static_cast<std::int64_t>(statusU24(s, 7));
    const auto rights = static_cast<std::int64_t>(statusU24(s, 10));
    const auto handed = static_cast<std::int64_t>(statusU24(s, 16));
    if (s[2] == kUnitStateLocked) {
        const std::int64_t n = (events - handed) / 12;
        if (n == 0) {
            v.pendingEvents = "Prázdný seznam událostí.";
        } else if (n > 0) {
            v.pendingEvents = "Počet nezpracovaných událostí: " + std::to_string(n);
        } else {
            v.pendingEvents = "Porušení informace v jednotce!";
        }
    }
    std::int64_t r = 0;
    if (model == 1) {
        r = (rights - 16) / 14;
    } else if (model == 2 || model == 3 || model == 8 || model == 9) {
        r = (rights - 256) / 15;
    }
    v.rightsCount = "Počet oprávnění: " + std::to_string(r);

    v.lines = {
        "Oprávnění: " + sixHexDigits(statusU24(s, 10)),
        "Události:  " + sixHexDigits(statusU24(s, 7)),
        "Předat:    " + sixHexDigits(statusU24(s, 16)),
        "Služ.info: " + sixHexDigits(statusU24(s, 13)),
        "Rezerva:   " + sixHexDigits(statusU24(s, 19)),
        "Stav:      " + hexByteText(s[22]),
    };
    v.eventMemoryOverflow = s[22] == 1;
    return v;
}

} // namespace qtr
