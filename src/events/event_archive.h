#pragma once

#include "base/date_time.h"
#include "base/file_result.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace qtr {

// Events removed from the event file are first kept in an archive beside it, a
// file of the same 19-byte records named after the day: UDALOSTI-2026-12-09.DAT,
// then UDALOSTI-2026-12-09-2.DAT, -3 ... for further archives of the same day. An
// archive is never overwritten; it can be read back in the event file management
// or merged into the event file again.

// The n-th archive name of the day (n from 1) in the folder of `eventFile`.
std::filesystem::path eventArchivePath(const std::filesystem::path& eventFile, DateTime day, int n);

// The first archive name of the day that is not taken yet (what a confirmation names).
std::filesystem::path nextEventArchivePath(const std::filesystem::path& eventFile, DateTime day);

// Writes the records into a new archive of the day, creating it under the first
// free name (never over an existing file), and makes it durable (file and folder
// synced) before returning. `written` receives its path.
FileResult writeEventArchive(const std::filesystem::path& eventFile, DateTime day,
                             std::span<const std::uint8_t> records, std::filesystem::path& written);

} // namespace qtr
