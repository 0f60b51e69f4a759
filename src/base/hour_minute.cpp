#include "base/hour_minute.h"

#include <cstdio>

namespace qtr {
namespace {

int twoDigits(char a, char b) {
    if (a < '0' || a > '9' || b < '0' || b > '9') {
        return -1;
    }
    return (a - '0') * 10 + (b - '0');
}

} // namespace

std::string hourMinuteText(HourMinute t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", hourOf(t), minuteOf(t));
    return buf;
}

HourMinute parseHourMinute(std::string_view text) {
    if (text.size() != 5 || text[2] != ':') {
        return kInvalidHourMinute;
    }
    const int h = twoDigits(text[0], text[1]);
    const int m = twoDigits(text[3], text[4]);
    if (h < 0 || h > 23 || m < 0 || m > 59) {
        return kInvalidHourMinute;
    }
    return makeHourMinute(h, m);
}

} // namespace qtr
