#pragma once

#include "base/file_result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace qtr {

// Reading and writing a headerless file of fixed-size records.
//
// Reading hands every whole record, in file order, to `accept` until `capacity`
// records were taken. A file that cannot be read, whose size is not a whole
// number of records, or that holds more records than the capacity fails with a
// Czech text naming the file and the reason; the records before the fault have
// been taken, and the original file has been copied beside it (NAME.bak) so that
// the next save cannot destroy what could not be loaded.
FileResult readRecordFile(const std::filesystem::path& path, std::size_t recordSize,
                          std::size_t capacity,
                          const std::function<void(std::span<const std::uint8_t>)>& accept);

// Replaces the file with the given bytes through the atomic writer.
FileResult writeRecordFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace qtr
