#include "access/schedule_graph.h"

#include <algorithm>

namespace qtr {
namespace {

int slotOf(HourMinute t) {
    return std::min(hourOf(t) * 60 + minuteOf(t), kDaySlots * kMinutesPerSlot) / kMinutesPerSlot;
}

// Calls place(day, firstSlot, slotCount) for every day of every drawable window.
template <typename Place> void forEachSpan(std::span<const TimeSegment> segments, Place place) {
    for (const TimeSegment& s : segments) {
        if (s.to <= s.from) {
            continue;
        }
        const int first = std::min(slotOf(s.from), kDaySlots - 1);
        const int count = std::max(slotOf(s.to) - first, 1);
        for (int day = 0; day < 7; ++day) {
            if ((s.dayMask & (kMonday >> day)) != 0) {
                place(day, first, count);
            }
        }
    }
}

} // namespace

std::vector<GraphBar> weekGraphBars(std::span<const TimeSegment> segments) {
    constexpr int kRow = WeekGraphLayout::kRowHeight;
    std::vector<GraphBar> bars;
    forEachSpan(segments, [&](int day, int first, int count) {
        bars.push_back({day, first + 1, day * kRow + 1, count, kRow - 2});
    });
    return bars;
}

std::vector<GraphBar> entryGraphBars(std::span<const TimeSegment> segments) {
    std::vector<GraphBar> bars;
    forEachSpan(segments, [&](int day, int first, int count) {
        bars.push_back(
            {day, first, day * EntryGraphLayout::kLinePitch, count, EntryGraphLayout::kLineHeight});
    });
    return bars;
}

} // namespace qtr
