#include "access/schedule_editing.h"

#include "db/tables.h"

#include <algorithm>

namespace qtr {

int usedSegments(const AccessScheduleRecord& schedule) {
    return std::min<int>(schedule.segmentCount, AccessScheduleRecord::kSegments);
}

void removeSegment(AccessScheduleRecord& schedule, int k) {
    const int n = usedSegments(schedule);
    if (k < 1 || k > n) {
        return;
    }
    auto& s = schedule.segments;
    std::move(s.begin() + k, s.begin() + n, s.begin() + (k - 1));
    s[static_cast<std::size_t>(n - 1)] = TimeSegment{};
    schedule.segmentCount = static_cast<std::uint8_t>(n - 1);
}

void storeEditedSegment(AccessScheduleRecord& schedule, int k, const TimeSegment& segment) {
    if (k < 1 || k > static_cast<int>(AccessScheduleRecord::kSegments)) {
        return;
    }
    schedule.segments[static_cast<std::size_t>(k - 1)] = segment;
    if (k > usedSegments(schedule)) {
        schedule.segmentCount = static_cast<std::uint8_t>(k);
    }
    const int n = usedSegments(schedule);
    for (int j = 1; n >= 2 && j <= n; ++j) {
        if (j != k && schedule.segments[static_cast<std::size_t>(j - 1)] == segment) {
            removeSegment(schedule, k);
            break;
        }
    }
    for (;;) {
        const TimeSegment* begin = schedule.segments.data();
        const TimeSegment* end = begin + usedSegments(schedule);
        const TimeSegment* empty =
            std::find_if(begin, end, [](const TimeSegment& s) { return s.isEmpty(); });
        if (empty == end) {
            break;
        }
        removeSegment(schedule, static_cast<int>(empty - begin) + 1);
    }
}

bool segmentBoxEnabled(const AccessScheduleRecord& schedule, int k) {
    if (k < 1 || k > static_cast<int>(AccessScheduleRecord::kSegments)) {
        return false;
    }
    return k == 1 || !schedule.segments[static_cast<std::size_t>(k - 2)].isEmpty();
}

std::optional<std::string> checkSchedule(const AccessScheduleTable& schedules,
                                         const AccessScheduleRecord& schedule, int ownPosition) {
    if (schedule.scheduleName.empty()) {
        return "Rozvrh musí mít jméno!";
    }
    if (schedule.segmentCount == 0) {
        return "Prázdný rozvrh!";
    }
    if (schedules.nameTakenByAnother(schedule.scheduleName.text(), ownPosition)) {
        return "Takové jméno již existuje!";
    }
    return std::nullopt;
}

ToLimits toLimits(int fromHour, int fromMinute, int toHour) {
    // A "Do" hour below the new minimum is raised to it, and then the minutes count too.
    return {fromHour, std::max(toHour, fromHour) == fromHour ? fromMinute : 0};
}

} // namespace qtr
