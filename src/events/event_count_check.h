#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qtr {

// Above this many stored events the operator is advised to shorten the event file.
inline constexpr std::uint64_t kEventCountWarningLimit = 10000;

struct EventCountWarning {
    std::string caption; // "KONTROLA"
    std::string text;
};

// EventCountCheck: the warning to show (warning icon, OK button) when more than
// 10000 events are stored; nothing otherwise. Nothing is blocked either way.
std::optional<EventCountWarning> eventCountCheck(std::uint64_t storedEvents);

} // namespace qtr
