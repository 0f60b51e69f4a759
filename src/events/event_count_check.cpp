#include "events/event_count_check.h"

namespace qtr {

std::optional<EventCountWarning> eventCountCheck(std::uint64_t storedEvents) {
    if (storedEvents <= kEventCountWarningLimit) {
        return std::nullopt;
    }
    return EventCountWarning{
        "KONTROLA",
        "Doporučuje se zmenšit počet uchovávaných událostí\r\n\tviz. \"Správa souboru událostí\""};
}

} // namespace qtr
