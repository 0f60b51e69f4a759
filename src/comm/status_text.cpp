#include "comm/status_text.h"

#include <array>
#include <utility>

namespace qtr {

std::string_view statusText(std::uint8_t code) {
    // First match wins. 0xC0 stands twice; its second text is never found here and
    // is what the transport's own checksum failure reads (kReceivedChecksumText).
    static constexpr std::array<std::pair<std::uint8_t, std::string_view>, 13> kTexts = {{
        {0x01, "Žádná odpověď"},
        {0x02, "chyba: $02"},
        {0x04, "chyba: $04"},
        {0x08, "chyba: $08"},
        {0xAA, "akceptováno"},
        {0xB0, "chyba: CRC"},
        {0x0B, "chyba: kontext povelu"},
        {0x80, "chyba: neznámý povel"},
        {0x90, "chyba: uzamčeno"},
        {0x70, "chyba: neprázdný seznam událostí"},
        {0xA0, "chyba: nelze"},
        {0xC0, "chyba: nepřípustné"},
        {0xC0, kReceivedChecksumText},
    }};
    for (const auto& [c, text] : kTexts) {
        if (c == code) {
            return text;
        }
    }
    return "???";
}

} // namespace qtr
