#pragma once

#include "db/access_schedule_record.h"

#include <span>
#include <string_view>
#include <vector>

namespace qtr {

// Where the windows of a schedule are drawn. A day has 144 slots of ten minutes;
// a window covers the slots from the one its start falls in up to the one before
// the slot its end falls in (at least one), so 06:00-18:00 covers slots 36..107
// and the bar ends where the window does. Only windows with `to` after `from` are
// drawn, and times beyond 23:59 (foreign files) stop at the end of the day.

inline constexpr int kDaySlots = 144;
inline constexpr int kMinutesPerSlot = 10;

// One filled rectangle in image pixels; `day` 0 is Monday.
struct GraphBar {
    int day = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const GraphBar&, const GraphBar&) = default;
};

// The week graph of the schedule editor and of its segment dialog: one framed
// white row per weekday, Monday at the top, 14 pixels high; the frame takes the
// first and last column, the slots sit between them (slot s at column s + 1).
struct WeekGraphLayout {
    static constexpr int kRowHeight = 14;
    static constexpr int kWidth = kDaySlots + 2;
    static constexpr int kHeight = 7 * kRowHeight;
};
std::vector<GraphBar> weekGraphBars(std::span<const TimeSegment> segments);

// The scale shown under the week graph.
inline constexpr std::string_view kWeekGraphScale = "0         6         12        18      23";

// The small graph of one permission entry: a line of 4 pixels per weekday, five
// pixels apart, Monday at the top, slot s at column s; under them a base line
// with ticks every six hours (columns 0, 36, 72, 108 and 143).
struct EntryGraphLayout {
    static constexpr int kWidth = kDaySlots;
    static constexpr int kLineHeight = 4;
    static constexpr int kLinePitch = 5;
    static constexpr int kBaseLine = 7 * kLinePitch + 1;
    static constexpr int kTickLength = 3;
    static constexpr int kHeight = kBaseLine + 1;
    static constexpr int kTicks[] = {0, 36, 72, 108, 143};
};
std::vector<GraphBar> entryGraphBars(std::span<const TimeSegment> segments);

} // namespace qtr
