#pragma once

#include "base/key_number.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>

namespace qtr::sim {

// One event as the unit keeps it: 12 bytes in its memory (key, time stamp, code).
struct StoredEvent {
    static constexpr std::uint32_t kSize = 12;

    KeyNumber key;                // all zero for an input event
    std::uint32_t packedTime = 0; // see packedDateTime
    std::uint8_t eventCode = 0;

    // The 14 bytes of the item in a read-event answer (two zero bytes at the end).
    std::array<std::uint8_t, 14> itemBytes() const;

    friend bool operator==(const StoredEvent&, const StoredEvent&) = default;
};

// The event area of a unit's memory, addressed by byte like the unit does it: the
// write pointer is where the next event goes, the read pointer the oldest event
// not yet handed over, so (write - read) / 12 events wait for collection. When the
// last waiting event has been handed over both pointers go back to the start of
// the area. A full area stores nothing more and raises the overflow flag until it
// has been emptied; an event already stored is never overwritten.
class EventMemory {
public:
    EventMemory(std::uint32_t base, std::uint32_t capacity);

    std::uint32_t base() const { return base_; }
    std::uint32_t capacity() const { return capacity_; }
    std::uint32_t writePointer() const;
    std::uint32_t readPointer() const { return readPointer_; }
    std::size_t pending() const { return events_.size(); }
    bool overflowed() const { return overflow_; }

    // False (and the overflow flag) when the area is full.
    bool store(const StoredEvent& e);
    // The oldest waiting event, if any.
    std::optional<StoredEvent> oldest() const;
    // Hands the oldest waiting event over for good.
    void releaseOldest();
    // Marks the area as overflowed (a saved state is restored).
    void setOverflow(bool on) { overflow_ = on; }
    // The waiting events, oldest first.
    const std::deque<StoredEvent>& events() const { return events_; }

private:
    std::uint32_t base_;
    std::uint32_t capacity_;
    std::uint32_t readPointer_;
    std::deque<StoredEvent> events_;
    bool overflow_ = false;
};

} // namespace qtr::sim
