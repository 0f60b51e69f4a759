#pragma once

// Times of the card tests, written as a person reads them: "d hh:nn[:ss]" on day d
// of May 2024.

#include "base/date_time.h"

#include <string>

namespace qtr::test {

// Wednesday 1 May 2024.
inline const DateTime kMay1 = encodeDate(2024, 5, 1);

// "d hh:nn[:ss]" on day d of May 2024; "" is 0.
inline DateTime at(const std::string& text) {
    if (text.empty()) {
        return 0.0;
    }
    const int d = std::stoi(text.substr(0, text.find(' ')));
    const auto hm = text.substr(text.find(' ') + 1);
    const int s = hm.size() > 5 ? std::stoi(hm.substr(6, 2)) : 0;
    return kMay1 + (d - 1) + encodeTime(std::stoi(hm.substr(0, 2)), std::stoi(hm.substr(3, 2)), s);
}

// "d hh:nn" of a time, "" for 0.
inline std::string timeText(DateTime t) {
    return t == 0.0 ? "" : formatDateTime("d hh:nn", t);
}

} // namespace qtr::test
