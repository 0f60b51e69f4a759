#include "access/segment_text.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

TEST(SegmentText, DayLettersAndSegments) {
    struct Case {
        TimeSegment segment;
        const char* text;
    };
    const Case cases[] = {
        {{makeHourMinute(7, 0), makeHourMinute(15, 30), 0x7C}, "07:00 - 15:30 Po Út St Čt Pá "},
        {{0, 0, 0}, "00:00 - 00:00 "},
        {{makeHourMinute(0, 5), makeHourMinute(23, 59), 0x7F},
         "00:05 - 23:59 Po Út St Čt Pá So Ne "},
        {{makeHourMinute(22, 0), makeHourMinute(23, 0), 0x03}, "22:00 - 23:00 So Ne "},
        // Bit 0x80 is never a day.
        {{makeHourMinute(6, 0), makeHourMinute(6, 1), 0x80}, "06:00 - 06:01 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(segmentText(c.segment), c.text);
    }
    EXPECT_EQ(dayLetters(0x41), "Po Ne ");
}

} // namespace
} // namespace qtr
