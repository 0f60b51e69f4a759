#pragma once

#include "base/date_time.h"
#include "base/key_number.h"
#include "events/raw_event_item.h"

#include <cstdint>
#include <optional>
#include <span>

namespace qtr {

// One stored event: 19 bytes, the same in memory tables, in QTR0005.DAT and in
// the current event.
//
//   offset 0, 1   unitAddress   bus address of the unit that recorded it
//   offset 1, 7   keyNumber     presented key (stored byte order); zero for an input event
//   offset 8, 8   timestamp     IEEE double, day-count date-time; 0.0 = the unit's
//                               time stamp was impossible
//   offset 16, 1  eventCode     sensor index (bits 0-3), result code (bits 4-5)
//   offset 17, 1  reserved1     0 when collected; carried by the text import
//   offset 18, 1  reserved2     as reserved1
struct EventRecord {
    static constexpr std::size_t kSize = 19;

    std::uint8_t unitAddress = 0;
    KeyNumber keyNumber;
    DateTime timestamp = 0.0;
    std::uint8_t eventCode = 0;
    std::uint8_t reserved1 = 0;
    std::uint8_t reserved2 = 0;

    // 0-7 reader TM0-TM7, 8-15 input IN0-IN7.
    int sensorIndex() const { return eventCode & 0x0F; }
    bool isInputEvent() const { return (eventCode & 0x08) != 0; }
    // Reader or input number 0-7.
    int sensorNumber() const { return eventCode & 0x07; }
    int resultCode() const { return eventCode >> 4 & 0x03; }

    static EventRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;

    friend bool operator==(const EventRecord&, const EventRecord&) = default;
};

// The day-count date-time of a packed time stamp, or nothing when the fields
// make no date or time (month 13, 31 February, hour 25, minute 60 ...).
std::optional<DateTime> toDateTime(const PackedDateTime& packed);

// The packed form of a date-time from 2000 to 2127 (seconds rounded down to even).
PackedDateTime toPackedDateTime(DateTime value);

// The stored event for item i (1-based, 1..21) of an event answer: the unit
// address from answer byte 0, the key bytes as they come, the converted time
// stamp and the event code; reserved bytes 0. An impossible time stamp gives
// timestamp 0.0, so the event is kept (and shows as such in the history)
// instead of stopping the collection or being lost.
EventRecord buildEventRecord(std::span<const std::uint8_t> answer, int itemIndex);

} // namespace qtr
