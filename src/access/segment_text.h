#pragma once

#include "db/access_schedule_record.h"

#include <cstdint>
#include <string>

namespace qtr {

// The abbreviations of the days set in a day mask, Monday to Sunday, each with its
// trailing blank: 0x7C gives "Po Út St Čt Pá ".
std::string dayLetters(std::uint8_t dayMask);

// "07:00 - 15:30 Po Út St Čt Pá ": the form a segment is shown in everywhere (the
// schedule editor's boxes, the permission groups, the settings documentation). An
// all-zero slot reads "00:00 - 00:00 ".
std::string segmentText(const TimeSegment& segment);

} // namespace qtr
