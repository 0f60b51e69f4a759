#include "comm/unit_texts.h"

#include "base/hex_text.h"

namespace qtr {

std::string unitModelText(std::uint8_t model) {
    switch (model) {
    case 1:
        return "VKR-8";
    case 2:
        return "VKR-EXP";
    case 3:
        return "VKR-ZAV";
    case 0xF1:
        return "ČTECÍ";
    default:
        return "neznámý typ! " + hexByteText(model);
    }
}

std::string unitStateText(std::uint8_t state) {
    switch (state) {
    case kUnitStateNotConfigured:
        return "není konfigurována";
    case kUnitStateReset:
        return "vynulována";
    case kUnitStateLocked:
        return "uzamčena";
    case kUnitStateConfigured:
        return "konfigurována";
    default:
        return "neznámý stav! " + hexByteText(state);
    }
}

} // namespace qtr
