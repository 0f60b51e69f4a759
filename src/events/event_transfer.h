#pragma once

#include "base/file_result.h"
#include "events/event_record.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qtr {

class EventTable;

// The text form of events for other systems: one event per line, exactly 40
// characters without separators, CR LF after each line:
//   1-10 date "dd.mm.yyyy", 11-18 time "hh:nn:ss", 19-20 unit address,
//   21-34 key text, 35-36 event code, 37-38 reserved1, 39-40 reserved2 (hex).
inline constexpr std::size_t kTransferEventLineLength = 40;
inline constexpr const char* kEventTransferDefaultName = "UDALOSTI.SDF";

// One event as its line (without the line end). A time stamp that is no date
// prints as question marks, which the import refuses.
std::string eventTransferLine(const EventRecord& event);

struct EventExport {
    FileResult result = FileResult::success();
    int written = 0;
    int invalidDates = 0; // lines written with question marks for the date and time
};

// Writes every record (raw 19-byte records: a table's or a file's bytes), in their
// order, as the whole file: one line each, CR LF after each.
EventExport exportEvents(std::span<const std::uint8_t> records, const std::filesystem::path& file);

// What reading a file of such lines gave.
struct EventTransferRead {
    std::vector<EventRecord> events; // the lines before the one that stopped the reading
    int failedLine = 0;              // 1-based line that stopped it, 0 when none did
    std::string problem;             // Czech text of that line's fault
    int notTaken = 0;                // lines left unread because there was no more room
};

// Reads lines until the end of the text or until `room` events were read. Empty
// lines are passed over. A line that is not 40 characters, whose date or time does
// not convert, or whose hex columns are not hex digits stops the reading there; the
// events of the lines before it are kept.
EventTransferRead readEventTransferText(std::string_view bytes, std::size_t room);

struct EventImport {
    FileResult result = FileResult::success();
    int added = 0;
    int failedLine = 0;
    int notTaken = 0; // lines past the table's capacity
};

// Reads the file into the table, appending (with `replace` the table is emptied
// first, but only once the file has been read, so an unreadable file costs nothing).
// A faulty line stops the import; what came before it stays in the table.
EventImport importEvents(EventTable& table, const std::filesystem::path& file, bool replace);

// The Czech summary of a stopped read: the line, its fault and how many came before.
std::string transferStopText(const EventTransferRead& read);

} // namespace qtr
