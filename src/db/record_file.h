#pragma once

#include "base/file_result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace qtr {

// What reading a record file came to.
struct RecordFileRead {
    FileResult result = FileResult::success();
    // The file could be neither read nor copied: nothing may replace it, or what it
    // holds would be lost unseen.
    bool mustNotReplace = false;
};

// Reading and writing a headerless file of fixed-size records.
//
// Reading hands every whole record, in file order, to `accept` until `capacity`
// records were taken; no more than one record beyond the capacity is ever read. A
// file that cannot be read, that is not a regular file, whose size is not a whole
// number of records, or that holds more records than the capacity fails with a
// Czech text naming the file and the reason; the records before the fault have
// been taken, and the original file has been copied beside it (NAME.bak) so that
// the next save cannot destroy what could not be loaded. When even the copy fails,
// `mustNotReplace` says so.
RecordFileRead readRecordFile(const std::filesystem::path& path, std::size_t recordSize,
                              std::size_t capacity,
                              const std::function<void(std::span<const std::uint8_t>)>& accept);

// Before a save over a file that could not be read: a copy of it is kept
// (keepBackupCopy), or the save is refused with a Czech text. A file that is gone by
// now needs no copy.
FileResult keepUnreadFile(const std::filesystem::path& path);

// Replaces the file with the given bytes through the atomic writer.
FileResult writeRecordFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace qtr
