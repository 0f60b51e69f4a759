#pragma once

#include "base/date_time.h"
#include "base/file_result.h"
#include "events/event_table.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qtr {

// The rewrites of the event file. Collection only ever appends to it; these are
// the only changes that replace it, and each one:
//  - takes the event file's lock without waiting (a collection that holds it makes
//    the rewrite fail, saying so, and nothing changes);
//  - reads the file as it is under the lock, so an event appended a moment before
//    (by a collection from cron while a window was open) is never lost;
//  - keeps every event it removes in a new dated archive beside the file (see
//    event_archive.h) before the file is replaced;
//  - replaces the file through the atomic writer and only then lets the lock go.
// The whole file is worked on, also beyond the 65535 events a table holds.
struct EventFileRewrite {
    FileResult result = FileResult::success();
    std::uint64_t before = 0;       // events in the file as read under the lock
    std::uint64_t after = 0;        // events in the file now
    std::uint64_t archived = 0;     // events kept in the archive
    std::filesystem::path archive;  // empty when nothing was removed
    std::uint64_t added = 0;        // appends: events added
    std::uint64_t alreadyThere = 0; // merge: events left out because the file holds them
    std::uint64_t notTaken = 0;     // appends: events left out for want of room
    std::string note; // what the operator should know besides (a torn last record left out)
};

// "smazat vše", "events clear": every event goes to the archive, the file is emptied.
EventFileRewrite clearEventFile(const std::filesystem::path& file, DateTime today);

// "smazat do data", "events trim": the events earlier than `cut` go to the archive,
// the others stay, in the file's order or, with `order`, sorted as the window shows them.
EventFileRewrite trimEventFile(const std::filesystem::path& file, DateTime cut, DateTime today,
                               std::optional<SortKind> order = std::nullopt);

// The file becomes exactly `records` (raw 19-byte records); the events it held that
// `records` lacks (compared byte for byte, each record counted as often as it occurs)
// go to the archive.
EventFileRewrite replaceEventFile(const std::filesystem::path& file,
                                  std::span<const std::uint8_t> records, DateTime today);

// Appends `records` to the file, as long as it holds fewer than 65535 events (what
// the history can show). With `skipPresent` a record the file holds already, byte
// for byte, is left out (each occurrence in the file matches one record once), so
// merging a file twice adds nothing. Nothing is removed, so nothing is archived.
// The file is created when it does not exist.
EventFileRewrite appendToEventFile(const std::filesystem::path& file,
                                   std::span<const std::uint8_t> records, bool skipPresent);

// Reads a whole event file (every record, also beyond 65535) as raw records; the
// bytes of a partial record at its end are left out and counted in `tornBytes`.
FileResult readEventRecords(const std::filesystem::path& file, std::vector<std::uint8_t>& records,
                            std::size_t& tornBytes);

// The Czech sentence for the operator about the archive of a rewrite, or empty.
std::string archiveNote(const EventFileRewrite& rewrite);

} // namespace qtr
