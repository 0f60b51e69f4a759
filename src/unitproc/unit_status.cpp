#include "unitproc/unit_status.h"

#include "base/hex_text.h"

namespace qtr {

namespace {

constexpr std::array<const char*, 7> kDayNames = {"neděle",  "pondělí", "úterý", "středa",
                                                  "čtvrtek", "pátek",   "sobota"};

std::string sixHexDigits(std::uint32_t v) {
    return hexByteText(static_cast<std::uint8_t>(v >> 16)) +
           hexByteText(static_cast<std::uint8_t>(v >> 8)) + hexByteText(static_cast<std::uint8_t>(v));
}

// Truncating division of signed numbers, as the count of records is computed.
long long truncatedQuotient(long long a, long long b) {
    return a / b;
}

} // namespace

std::uint32_t statusU24(std::span<const std::uint8_t, kUnitStatusSize> s, std::size_t at) {
    return static_cast<std::uint32_t>(s[at]) | static_cast<std::uint32_t>(s[at + 1]) << 8 |
           static_cast<std::uint32_t>(s[at + 2]) << 16;
}

std::string unitModelText(std::uint8_t model) {
    switch (model) {
    case 0x01:
        return "VKR-8";
    case 0x02:
        return "VKR-EXP";
    case 0x03:
        return "VKR-ZAV";
    case 0xF1:
        return "ČTECÍ";
    default:
        return "neznámý typ! " + hexByteText(model);
    }
}

std::string unitStateText(std::uint8_t state) {
    switch (state) {
    case 0x00:
        return "není konfigurována";
    case 0x01:
        return "vynulována";
    case 0x02:
        return "uzamčena";
    case 0xAA:
        return "konfigurována";
    default:
        return "neznámý stav! " + hexByteText(state);
    }
}

UnitStatusView decodeUnitStatus(std::span<const std::uint8_t, kUnitStatusSize> s) {
    UnitStatusView v;
    const std::uint8_t model = s[1];
    const std::uint8_t state = s[2];
    const std::uint8_t mode = s[3];
    v.address = hexByteText(s[0]);
    v.unitType = unitModelText(model);
    if (model == 1) {
        switch (mode & 0x0F) {
        case 1:
            v.unitType += " přístupová";
            break;
        case 2:
            v.unitType += " docházková";
            break;
        default:
            v.unitType += " neznámý mód!";
            break;
        }
    }
    v.unitState = unitStateText(state);
    v.mode = hexByteText(mode);
    v.memory = s[4] == 255 ? std::string("žádná paměť") : std::to_string((s[4] + 1) * 32) + " kB";
    v.alarm = hexByteText(s[5]);
    v.relay = hexByteText(s[6]);

    const std::uint32_t written = statusU24(s, 7);
    const std::uint32_t rights = statusU24(s, 10);
    const std::uint32_t service = statusU24(s, 13);
    const std::uint32_t toRead = statusU24(s, 16);
    const std::uint32_t reserve = statusU24(s, 19);

    if (state == 2) {
        const long long n = truncatedQuotient(static_cast<long long>(written) - toRead, 12);
        if (n == 0) {
            v.pendingEvents = "Prázdný seznam událostí.";
        } else if (n > 0) {
            v.pendingEvents = "Počet nezpracovaných událostí: " + std::to_string(n);
        } else {
            v.pendingEvents = "Porušení informace v jednotce!";
        }
    }
    long long r = 0;
    if (model == 1) {
        r = truncatedQuotient(static_cast<long long>(rights) - 16, 14);
    } else if (model == 2 || model == 3 || model == 8 || model == 9) {
        r = truncatedQuotient(static_cast<long long>(rights) - 256, 15);
    }
    v.rightsCount = "Počet oprávnění: " + std::to_string(r);

    v.lines = {
        "Oprávnění: " + sixHexDigits(rights),  "Události:  " + sixHexDigits(written),
        "Předat:    " + sixHexDigits(toRead),  "Služ.info: " + sixHexDigits(service),
        "Rezerva:   " + sixHexDigits(reserve), "Stav:      " + hexByteText(s[22]),
    };
    v.eventMemoryOverflow = s[22] == 1;

    // Day, month, year, hours, minutes, seconds as their BCD bytes in hex, then the day name.
    const std::uint8_t dow = s[28];
    v.unitClock = hexByteText(s[26]) + "." + hexByteText(s[27]) + "." + hexByteText(s[29]) + " " +
                  hexByteText(s[25]) + ":" + hexByteText(s[24]) + ":" + hexByteText(s[23]) + " - " +
                  (dow < kDayNames.size() ? kDayNames[dow] : "?");
    return v;
}

} // namespace qtr
