#include "access/segment_text.h"

#include "base/hour_minute.h"

#include <array>
#include <utility>

namespace qtr {

std::string dayLetters(std::uint8_t dayMask) {
    static constexpr std::array<std::pair<std::uint8_t, const char*>, 7> kDays{{
        {kMonday, "Po "},
        {kTuesday, "Út "},
        {kWednesday, "St "},
        {kThursday, "Čt "},
        {kFriday, "Pá "},
        {kSaturday, "So "},
        {kSunday, "Ne "},
    }};
    std::string text;
    for (const auto& [bit, letters] : kDays) {
        if ((dayMask & bit) != 0) {
            text += letters;
        }
    }
    return text;
}

std::string segmentText(const TimeSegment& segment) {
    return hourMinuteText(segment.from) + " - " + hourMinuteText(segment.to) + " " +
           dayLetters(segment.dayMask);
}

} // namespace qtr
