#include "events/event_table.h"

#include "base/file_io.h"
#include "base/quicksort.h"
#include "db/tables.h"
#include "events/attendance_selection.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace qtr {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kRec = EventRecord::kSize;
constexpr std::size_t kTimestampOffset = 8;
constexpr std::size_t kCodeOffset = 16;

double timestampOf(const std::uint8_t* r) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) {
        bits = bits << 8 | r[kTimestampOffset + static_cast<std::size_t>(i)];
    }
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// The key bytes (record offsets 1..7) in the order keys sort: byte 0, then 6 down to 1.
std::uint64_t keyOrderOf(const std::uint8_t* r) {
    std::uint64_t k = r[1];
    for (std::size_t b = 7; b >= 2; --b) {
        k = k << 8 | r[b];
    }
    return k;
}

struct ByTimeThenKey {
    bool operator()(const std::uint8_t* a, const std::uint8_t* b) const {
        const double ta = timestampOf(a);
        const double tb = timestampOf(b);
        if (ta < tb) {
            return true;
        }
        if (tb < ta) {
            return false;
        }
        return keyOrderOf(a) < keyOrderOf(b);
    }
};
struct ByKey {
    bool operator()(const std::uint8_t* a, const std::uint8_t* b) const {
        return keyOrderOf(a) < keyOrderOf(b);
    }
};
struct ByTime {
    bool operator()(const std::uint8_t* a, const std::uint8_t* b) const {
        return timestampOf(a) < timestampOf(b);
    }
};
template <std::size_t Offset> struct ByByte {
    bool operator()(const std::uint8_t* a, const std::uint8_t* b) const {
        return a[Offset] < b[Offset];
    }
};

template <typename Less> struct RawSortOps {
    std::uint8_t* base; // record 0 of the sort (table position 1)
    Less less;
    std::array<std::uint8_t, kRec> pivot{};

    std::uint8_t* at(long i) const { return base + static_cast<std::size_t>(i) * kRec; }
    void takePivot(long p) { std::memcpy(pivot.data(), at(p), kRec); }
    bool beforePivot(long i) const { return less(at(i), pivot.data()); }
    bool pivotBefore(long j) const { return less(pivot.data(), at(j)); }
    void exchange(long i, long j) {
        std::array<std::uint8_t, kRec> t;
        std::memcpy(t.data(), at(i), kRec);
        std::memcpy(at(i), at(j), kRec);
        std::memcpy(at(j), t.data(), kRec);
    }
};

template <typename Less> void sortRaw(std::uint8_t* base, long count) {
    RawSortOps<Less> ops{base, Less{}};
    middlePivotQuicksort(ops, 0, count - 1);
}

FileResult failWith(std::string_view what, const fs::path& path, int err) {
    return FileResult::failure(std::string(what) + " " + path.filename().string() + ": " +
                               czechErrnoText(err));
}

} // namespace

EventTable::EventTable()
    : block_(std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(kCapacity) *
                                                            kRecordSize)) {}

bool EventTable::first() {
    if (count_ == 0) {
        return false;
    }
    cursor_ = 1;
    current_ = at(1);
    return true;
}

bool EventTable::next() {
    if (cursor_ >= count_) {
        return false;
    }
    ++cursor_;
    current_ = at(cursor_);
    return true;
}

bool EventTable::get(int i) {
    if (i < 1 || i > count_) {
        return false;
    }
    current_ = at(i);
    return true;
}

bool EventTable::setCursor(int i) {
    if (i < 1 || i > count_) {
        return false;
    }
    cursor_ = static_cast<std::uint16_t>(i);
    return true;
}

EventRecord EventTable::at(int i) const {
    return EventRecord::fromBytes(std::span(slot(i), kRecordSize));
}

std::span<const std::uint8_t, EventTable::kRecordSize> EventTable::rawRecord(int i) const {
    return std::span<const std::uint8_t, kRecordSize>(slot(i), kRecordSize);
}

std::span<const std::uint8_t> EventTable::bytes() const {
    return {block_.get(), static_cast<std::size_t>(count_) * kRecordSize};
}

bool EventTable::append(const EventRecord& event) {
    if (isFull()) {
        return false;
    }
    ++count_;
    event.toBytes(std::span(slot(count_), kRecordSize));
    return true;
}

void EventTable::clear() {
    count_ = 0;
    cursor_ = 0;
}

EventLoadResult EventTable::load(const fs::path& file) {
    clear();
    EventLoadResult result;
    int fd = -1;
    std::uint64_t size = 0;
    // A FIFO or a device in place of the file is refused, never waited on or read to no end.
    if (auto r = openRegularFileForReading(file, fd, size); !r) {
        result.file = std::move(r);
        return result;
    }
    const std::uint64_t wanted =
        std::min<std::uint64_t>(size / kRecordSize, kCapacity) * kRecordSize;
    std::uint64_t done = 0;
    while (done < wanted) {
        const ssize_t n = ::read(fd, block_.get() + done, wanted - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.file = failWith("Chyba při čtení souboru", file, errno);
            break;
        }
        if (n == 0) {
            break; // shorter than it was a moment ago
        }
        done += static_cast<std::uint64_t>(n);
    }
    ::close(fd);
    count_ = static_cast<std::uint16_t>(done / kRecordSize);
    result.recordsInFile = size / kRecordSize;
    result.partialBytes = size % kRecordSize;
    result.complete = result.file.ok() && result.recordsInFile == count_;
    return result;
}

FileResult EventTable::save(const fs::path& file) const {
    return writeFileAtomically(file, bytes());
}

void sortEventRecords(std::span<std::uint8_t> records, SortKind kind) {
    const auto count = static_cast<long>(records.size() / kRec);
    if (count < 2) {
        return;
    }
    std::uint8_t* base = records.data();
    switch (kind) {
    case SortKind::TimeThenKey:
        sortRaw<ByTimeThenKey>(base, count);
        break;
    case SortKind::UnitAddress:
        sortRaw<ByByte<0>>(base, count);
        break;
    case SortKind::Key:
        sortRaw<ByKey>(base, count);
        break;
    case SortKind::Time:
        sortRaw<ByTime>(base, count);
        break;
    case SortKind::EventCode:
        sortRaw<ByByte<kCodeOffset>>(base, count);
        break;
    case SortKind::Reserved1:
        sortRaw<ByByte<17>>(base, count);
        break;
    case SortKind::Reserved2:
        sortRaw<ByByte<18>>(base, count);
        break;
    }
}

void EventTable::sort(SortKind kind) {
    sortEventRecords(std::span(block_.get(), static_cast<std::size_t>(count_) * kRecordSize), kind);
}

template <typename Keep> int EventTable::packIf(Keep keep) {
    int kept = 0;
    for (int i = 1; i <= count_; ++i) {
        std::uint8_t* r = slot(i);
        if (keep(r)) {
            ++kept;
            if (kept != i) {
                std::memcpy(slot(kept), r, kRecordSize);
            }
        }
    }
    count_ = static_cast<std::uint16_t>(kept);
    return kept;
}

int EventTable::keepKey(const KeyNumber& key) {
    return packIf([&](const std::uint8_t* r) {
        return std::memcmp(r + 1, key.bytes.data(), KeyNumber::kSize) == 0;
    });
}

int EventTable::keepUnit(std::uint8_t unitAddress) {
    return packIf([&](const std::uint8_t* r) { return r[0] == unitAddress; });
}

int EventTable::keepPeriod(DateTime from, DateTime to) {
    return packIf([&](const std::uint8_t* r) {
        const double t = timestampOf(r);
        return from <= t && t <= to;
    });
}

int EventTable::keepFrom(DateTime from) {
    return packIf([&](const std::uint8_t* r) { return timestampOf(r) >= from; });
}

int EventTable::keepAttendance(const ControlUnitTable& units) {
    const UnitsByAddress byAddress(units);
    return packIf([&](std::uint8_t* r) {
        const auto code = attendanceCode(r[kCodeOffset], byAddress.find(r[0]));
        if (code) {
            r[kCodeOffset] = *code;
        }
        return code.has_value();
    });
}

} // namespace qtr
