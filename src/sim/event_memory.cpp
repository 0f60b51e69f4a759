#include "sim/event_memory.h"

namespace qtr::sim {

std::array<std::uint8_t, 14> StoredEvent::itemBytes() const {
    std::array<std::uint8_t, 14> b{};
    key.toBytes(std::span(b).first(7));
    for (int i = 0; i < 4; ++i) {
        b[static_cast<std::size_t>(7 + i)] = static_cast<std::uint8_t>(packedTime >> (8 * i));
    }
    b[11] = eventCode;
    return b;
}

EventMemory::EventMemory(std::uint32_t base, std::uint32_t capacity)
    : base_(base), capacity_(capacity), readPointer_(base) {}

std::uint32_t EventMemory::writePointer() const {
    return readPointer_ + static_cast<std::uint32_t>(events_.size()) * StoredEvent::kSize;
}

bool EventMemory::store(const StoredEvent& e) {
    // The area is used from its start to its end; only an emptied area starts over.
    const std::uint32_t used = (writePointer() - base_) / StoredEvent::kSize;
    if (used >= capacity_) {
        overflow_ = true;
        return false;
    }
    events_.push_back(e);
    return true;
}

std::optional<StoredEvent> EventMemory::oldest() const {
    if (events_.empty()) {
        return std::nullopt;
    }
    return events_.front();
}

void EventMemory::releaseOldest() {
    if (events_.empty()) {
        return;
    }
    events_.pop_front();
    readPointer_ += StoredEvent::kSize;
    if (events_.empty()) {
        readPointer_ = base_;
        overflow_ = false;
    }
}

} // namespace qtr::sim
