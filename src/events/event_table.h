#pragma once

#include "base/date_time.h"
#include "base/file_result.h"
#include "base/key_number.h"
#include "events/event_record.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

namespace qtr {

class ControlUnitTable;

// Orders of the event table ("vše", "adresa", "klíč", "datum", "výsledek", "pom-1", "pom-2").
enum class SortKind : int {
    TimeThenKey = 0,
    UnitAddress = 1,
    Key = 2,
    Time = 3,
    EventCode = 4,
    Reserved1 = 5,
    Reserved2 = 6,
};

// Sorts raw 19-byte records (a whole number of them) in place by the program's
// quicksort: what EventTable::sort does, for a block of any length.
void sortEventRecords(std::span<std::uint8_t> records, SortKind kind);

// What a load found.
struct EventLoadResult {
    FileResult file = FileResult::success(); // reading failed: the table is empty
    std::uint64_t recordsInFile = 0;         // whole records in the file
    std::size_t partialBytes = 0;            // bytes of a partial record at its end (not loaded)
    bool complete = false;                   // every whole record of the file is in the table

    explicit operator bool() const { return complete; }
};

// The events a view works on: up to 65535 records of 19 bytes kept raw in one
// block (no per-record allocation, no padding), a 1-based cursor (0 = none) and
// the current event, the working copy that get/first/next fill.
//
// Positions are 1-based. Filters keep the matching records in their order,
// packed to the front, and leave the cursor as it was (callers move it).
class EventTable {
public:
    static constexpr int kCapacity = 65535;
    static constexpr std::size_t kRecordSize = EventRecord::kSize;

    EventTable();
    EventTable(const EventTable&) = delete;
    EventTable& operator=(const EventTable&) = delete;

    int count() const { return count_; }
    bool isFull() const { return count_ >= kCapacity; }
    int cursor() const { return cursor_; }

    EventRecord& current() { return current_; }
    const EventRecord& current() const { return current_; }

    // false on an empty table; else cursor 1 and record 1 current.
    bool first();
    // false when the cursor is not below count; else one on, that record current.
    bool next();
    // false unless 1 <= i <= count; copies record i into the current event, the cursor stays.
    bool get(int i);
    // Moves the cursor without copying; false unless 1 <= i <= count.
    bool setCursor(int i);

    // Record i (1-based, 1..count) without touching the current event.
    EventRecord at(int i) const;
    // The raw 19 bytes of record i.
    std::span<const std::uint8_t, kRecordSize> rawRecord(int i) const;
    // Records 1..count exactly as a file holds them.
    std::span<const std::uint8_t> bytes() const;

    // Adds a record after the last one; false when the table is full.
    bool append(const EventRecord& event);
    // Empty table, cursor 0.
    void clear();

    // Empties the table and reads whole records from the start of the file until
    // its end or until the table is full. The cursor becomes 0.
    [[nodiscard]] EventLoadResult load(const std::filesystem::path& file);
    // Writes records 1..count as the whole file (through the atomic writer).
    FileResult save(const std::filesystem::path& file) const;

    // The program's quicksort (middle record as pivot) over records 1..count.
    void sort(SortKind kind);

    // Filters; each returns the number of records kept.
    int keepKey(const KeyNumber& key);
    int keepUnit(std::uint8_t unitAddress);
    // from <= timestamp <= to.
    int keepPeriod(DateTime from, DateTime to);
    // timestamp >= from.
    int keepFrom(DateTime from);
    // The attendance events (AttendanceSelection), their codes rewritten.
    int keepAttendance(const ControlUnitTable& units);

    // Bytes the table occupies: the record block plus the object itself.
    static constexpr std::size_t memoryBytes() {
        return static_cast<std::size_t>(kCapacity) * kRecordSize + sizeof(EventTable);
    }

private:
    std::uint8_t* slot(int i) {
        return block_.get() + static_cast<std::size_t>(i - 1) * kRecordSize;
    }
    const std::uint8_t* slot(int i) const {
        return block_.get() + static_cast<std::size_t>(i - 1) * kRecordSize;
    }
    // Keeps the records for which keep(record bytes) holds; keep may rewrite them.
    template <typename Keep> int packIf(Keep keep);

    std::unique_ptr<std::uint8_t[]> block_;
    std::uint16_t count_ = 0;
    std::uint16_t cursor_ = 0;
    EventRecord current_;
};

} // namespace qtr
