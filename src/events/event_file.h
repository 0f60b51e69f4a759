#pragma once

#include "base/file_lock.h"
#include "base/file_result.h"
#include "events/event_record.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace qtr {

// The event file: EventRecords of 19 bytes one after another, no header, in the
// order they were collected.
inline constexpr const char* kEventFile = "QTR0005.DAT";

// Number of whole records in an event file; 0 when the file does not exist.
std::uint64_t countStoredEvents(const std::filesystem::path& file);

// The event file held open for appending during one collection run.
//
// Every append reaches the disk (write, then fdatasync) before it returns, so a
// unit may be told to release an event as soon as its append succeeded. A failed
// append leaves no partial record behind: the file is cut back to its last
// whole record.
class EventFileAppender {
public:
    EventFileAppender() = default;
    ~EventFileAppender();
    EventFileAppender(const EventFileAppender&) = delete;
    EventFileAppender& operator=(const EventFileAppender&) = delete;

    // Opens the file, creating it empty when it does not exist, and holds the file's
    // lock (QTR0005.LCK) until close(): another program that holds it is named in the
    // failure, and nothing is touched. A partial record
    // at its end (a write torn by a crash or a full disk) is cut off first, after
    // a copy of the file was kept beside it, and repairNote() tells about it;
    // otherwise every record appended later would be read shifted.
    FileResult open(const std::filesystem::path& file);
    bool isOpen() const { return fd_ >= 0; }

    // Czech text for the operator when open() had to cut a partial record off; empty otherwise.
    const std::string& repairNote() const { return repairNote_; }
    // Bytes open() cut off (0 when the file ended with a whole record).
    std::size_t cutOffBytes() const { return cutOffBytes_; }

    // Whole records in the file.
    std::uint64_t recordCount() const { return size_ / EventRecord::kSize; }

    // Appends one record durably.
    FileResult append(const EventRecord& event);

    // Builds the record of item i (1-based) of an event answer and appends it
    // durably: what collection calls for each item a unit delivered, before the
    // unit is told to release it. `stored` receives the record written.
    FileResult appendItem(std::span<const std::uint8_t> answer, int itemIndex,
                          EventRecord* stored = nullptr);

    // Closes the file; safe to call when it is not open.
    FileResult close();

private:
    int fd_ = -1;
    FileLock lock_;
    std::filesystem::path path_;
    std::uint64_t size_ = 0;
    std::size_t cutOffBytes_ = 0;
    std::string repairNote_;
};

} // namespace qtr
