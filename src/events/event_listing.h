#pragma once

#include "base/file_result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

class EventTable;
class EventDecoder;

inline constexpr const char* kEventListingTitle = "Výpis událostí";

// The event listing of the table as it stands, as UTF-8 lines: the title, an
// empty line, one line per record 1..count ("dd.mm.yyyy hh:nn:ss " and the
// event text, or the decode message and the dump), and "---".
std::vector<std::string> eventListingLines(const EventTable& table, const EventDecoder& decoder);

// The listing as the program's text file (Windows-1250, CR LF), replacing the file.
FileResult writeEventListing(const std::filesystem::path& file, const EventTable& table,
                             const EventDecoder& decoder);

} // namespace qtr
