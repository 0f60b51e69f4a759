#pragma once

#include "base/win1250.h" // the column helpers padRight and padLeft

namespace qtr {

// A line of its own that starts a new page when a report is printed (a form feed),
// as between the reports of several people in one printout.
inline constexpr const char* kPageBreak = "\f";

} // namespace qtr
