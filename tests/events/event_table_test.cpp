#include "base/quicksort.h"
#include "events/event_file.h"
#include "events/event_fixtures.h"
#include "events/event_table.h"
#include "support/hex_dump.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace qtr {
namespace {

using test::at;
using test::event;
using test::readBytes;
using test::writeBytes;

std::vector<EventRecord> contents(const EventTable& t) {
    std::vector<EventRecord> out;
    for (int i = 1; i <= t.count(); ++i) {
        out.push_back(t.at(i));
    }
    return out;
}

void fill(EventTable& t, const std::vector<EventRecord>& events) {
    t.clear();
    for (const auto& e : events) {
        ASSERT_TRUE(t.append(e));
    }
}

// Random events over few values, so that every order has many ties.
std::vector<EventRecord> randomEvents(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<EventRecord> out(n);
    for (auto& e : out) {
        e.unitAddress = static_cast<std::uint8_t>(rng() % 8);
        for (auto& b : e.keyNumber.bytes) {
            b = static_cast<std::uint8_t>(rng() % 3);
        }
        e.timestamp = at(2024, 1, 1) + static_cast<double>(rng() % 50) / 24.0;
        e.eventCode = static_cast<std::uint8_t>(rng());
        e.reserved1 = static_cast<std::uint8_t>(rng() % 4);
        e.reserved2 = static_cast<std::uint8_t>(rng() % 4);
    }
    return out;
}

// The orders stated field by field, independent of the table's raw comparisons.
std::function<bool(const EventRecord&, const EventRecord&)> lessOf(SortKind k) {
    switch (k) {
    case SortKind::TimeThenKey:
        return [](const EventRecord& a, const EventRecord& b) {
            return a.timestamp < b.timestamp ||
                   (a.timestamp == b.timestamp && a.keyNumber < b.keyNumber);
        };
    case SortKind::UnitAddress:
        return [](const EventRecord& a, const EventRecord& b) {
            return a.unitAddress < b.unitAddress;
        };
    case SortKind::Key:
        return [](const EventRecord& a, const EventRecord& b) { return a.keyNumber < b.keyNumber; };
    case SortKind::Time:
        return [](const EventRecord& a, const EventRecord& b) { return a.timestamp < b.timestamp; };
    case SortKind::EventCode:
        return [](const EventRecord& a, const EventRecord& b) { return a.eventCode < b.eventCode; };
    case SortKind::Reserved1:
        return [](const EventRecord& a, const EventRecord& b) { return a.reserved1 < b.reserved1; };
    case SortKind::Reserved2:
        return [](const EventRecord& a, const EventRecord& b) { return a.reserved2 < b.reserved2; };
    }
    return {};
}

// The program's quicksort over whole records: the order equal records must come out in.
std::vector<EventRecord> referenceSort(std::vector<EventRecord> v, SortKind k) {
    struct Ops {
        std::vector<EventRecord>& r;
        std::function<bool(const EventRecord&, const EventRecord&)> less;
        EventRecord pivot;
        void takePivot(long p) { pivot = r[static_cast<std::size_t>(p)]; }
        bool beforePivot(long i) { return less(r[static_cast<std::size_t>(i)], pivot); }
        bool pivotBefore(long j) { return less(pivot, r[static_cast<std::size_t>(j)]); }
        void exchange(long i, long j) {
            std::swap(r[static_cast<std::size_t>(i)], r[static_cast<std::size_t>(j)]);
        }
    } ops{v, lessOf(k), {}};
    if (v.size() >= 2) {
        middlePivotQuicksort(ops, 0, static_cast<long>(v.size()) - 1);
    }
    return v;
}

constexpr SortKind kAllKinds[] = {SortKind::TimeThenKey, SortKind::UnitAddress, SortKind::Key,
                                  SortKind::Time,        SortKind::EventCode,   SortKind::Reserved1,
                                  SortKind::Reserved2};

TEST(EventTable, OneBlockOfRawRecords) {
    static_assert(EventTable::kCapacity == 65535);
    EXPECT_LE(sizeof(EventTable), 64u);
    EXPECT_EQ(EventTable::memoryBytes(), 65535u * 19u + sizeof(EventTable));
}

TEST(EventTable, CursorFirstNextGet) {
    EventTable t;
    EXPECT_FALSE(t.first());
    EXPECT_FALSE(t.next());
    EXPECT_FALSE(t.get(1));
    EXPECT_FALSE(t.setCursor(1));
    EXPECT_EQ(t.cursor(), 0);

    const auto a = event(1, "01", at(2024, 1, 1), 0);
    const auto b = event(2, "02", at(2024, 1, 2), 1);
    const auto c = event(3, "03", at(2024, 1, 3), 2);
    fill(t, {a, b, c});
    ASSERT_TRUE(t.first());
    EXPECT_EQ(t.cursor(), 1);
    EXPECT_EQ(t.current(), a);
    ASSERT_TRUE(t.next());
    EXPECT_EQ(t.current(), b);
    ASSERT_TRUE(t.get(3)); // get copies, the cursor stays
    EXPECT_EQ(t.current(), c);
    EXPECT_EQ(t.cursor(), 2);
    EXPECT_FALSE(t.get(0));
    EXPECT_FALSE(t.get(4));
    EXPECT_EQ(t.current(), c);
    ASSERT_TRUE(t.next());
    EXPECT_FALSE(t.next()); // at the last record
    EXPECT_EQ(t.cursor(), 3);
    ASSERT_TRUE(t.setCursor(2));
    EXPECT_EQ(t.current(), c); // moving the cursor copies nothing
}

TEST(EventTable, LoadSaveRoundTripIsByteExact) {
    test::TempDir dir;
    auto events = randomEvents(100, 7);
    events[5].reserved1 = 0xFF;
    events[6].reserved2 = 0x80;
    const std::vector<std::uint8_t> bytes = test::bytesOf(events);
    writeBytes(dir / kEventFile, bytes);
    EventTable t;
    const EventLoadResult r = t.load(dir / kEventFile);
    EXPECT_TRUE(r.complete);
    EXPECT_TRUE(r.file);
    EXPECT_EQ(r.recordsInFile, 100u);
    EXPECT_EQ(t.count(), 100);
    EXPECT_EQ(t.at(6), events[5]);
    ASSERT_TRUE(t.save(dir / "kopie.dat"));
    EXPECT_BYTES(bytes, readBytes(dir / "kopie.dat"));
}

TEST(EventTable, LoadOf65536RecordsKeeps65535AndSaysIncomplete) {
    test::TempDir dir;
    std::vector<std::uint8_t> bytes(65536u * 19u);
    for (std::size_t i = 0; i < 65536; ++i) {
        bytes[i * 19] = static_cast<std::uint8_t>(i); // address = record number mod 256
        bytes[i * 19 + 17] = static_cast<std::uint8_t>(i >> 8);
    }
    writeBytes(dir / kEventFile, bytes);
    EventTable t;
    const EventLoadResult r = t.load(dir / kEventFile);
    EXPECT_FALSE(r.complete);
    EXPECT_FALSE(r);
    EXPECT_TRUE(r.file);
    EXPECT_EQ(r.recordsInFile, 65536u);
    EXPECT_EQ(t.count(), 65535);
    EXPECT_EQ(t.at(65535).unitAddress, 0xFE);
    EXPECT_EQ(t.at(65535).reserved1, 0xFF);
    EXPECT_TRUE(t.isFull());
    EXPECT_FALSE(t.append(EventRecord{})); // a full table takes no more
    EXPECT_EQ(t.count(), 65535);

    bytes.resize(65535u * 19u);
    writeBytes(dir / kEventFile, bytes);
    EXPECT_TRUE(t.load(dir / kEventFile).complete);
}

TEST(EventTable, LoadEdgeCases) {
    test::TempDir dir;
    EventTable t;
    t.append(EventRecord{});
    t.first();
    const EventLoadResult missing = t.load(dir / kEventFile);
    EXPECT_FALSE(missing.file);
    EXPECT_FALSE(missing.complete);
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.cursor(), 0);

    writeBytes(dir / kEventFile, {});
    EXPECT_TRUE(t.load(dir / kEventFile).complete);
    EXPECT_EQ(t.count(), 0);

    // A torn last record is not loaded and is reported.
    writeBytes(dir / kEventFile, std::vector<std::uint8_t>(19 * 2 + 5, 0x01));
    const EventLoadResult torn = t.load(dir / kEventFile);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(torn.partialBytes, 5u);
    EXPECT_TRUE(torn.complete);
}

TEST(EventTable, SortsOfZeroOneAndTwoRecords) {
    EventTable t;
    t.sort(SortKind::TimeThenKey);
    EXPECT_EQ(t.count(), 0);
    const auto late = event(1, "01", at(2024, 5, 1), 0);
    const auto early = event(2, "02", at(2024, 4, 1), 0);
    fill(t, {late});
    t.sort(SortKind::Time);
    EXPECT_EQ(contents(t), std::vector{late});
    fill(t, {late, early});
    t.sort(SortKind::Time);
    EXPECT_EQ(contents(t), (std::vector{early, late}));
    t.sort(SortKind::UnitAddress);
    EXPECT_EQ(contents(t), (std::vector{late, early}));
}

TEST(EventTable, KeyOrderIsTheOrderOfKeyTexts) {
    // Byte 1 is the last digit pair of the text, byte 6 the second.
    const auto low = event(1, "00000000000001", at(2024, 1, 1), 0);  // byte 1 = 01
    const auto high = event(1, "00010000000000", at(2024, 1, 1), 0); // byte 6 = 01
    const auto top = event(1, "01000000000000", at(2024, 1, 1), 0);  // byte 0 = 01
    EventTable t;
    fill(t, {top, high, low});
    t.sort(SortKind::Key);
    EXPECT_EQ(contents(t), (std::vector{low, high, top}));
    fill(t, {top, high, low});
    t.sort(SortKind::TimeThenKey); // same time: by key
    EXPECT_EQ(contents(t), (std::vector{low, high, top}));
}

TEST(EventTable, EverySortMatchesTheProgramsQuicksortAtFullSize) {
    const auto events = randomEvents(EventTable::kCapacity, 11);
    EventTable t;
    for (const SortKind k : kAllKinds) {
        fill(t, events);
        t.sort(k);
        const auto sorted = contents(t);
        EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), lessOf(k))) << static_cast<int>(k);
        // Same records, and equal ones in the order the quicksort leaves them.
        EXPECT_EQ(sorted, referenceSort(events, k)) << static_cast<int>(k);
    }
}

TEST(EventTable, ForeignBytesSortSafely) {
    // A file not written by this program: any bytes, NaN and infinite time stamps among them.
    test::TempDir dir;
    std::mt19937 rng(3);
    std::vector<std::uint8_t> bytes(5000 * 19);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(rng());
    }
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t i = 0; i < 5000; i += 7) {
        std::memcpy(&bytes[i * 19 + 8], &nan, 8);
    }
    writeBytes(dir / kEventFile, bytes);
    EventTable t;
    for (const SortKind k : kAllKinds) {
        ASSERT_TRUE(t.load(dir / kEventFile).complete);
        t.sort(k);
        ASSERT_EQ(t.count(), 5000);
        // The same records, only moved.
        std::vector<std::vector<std::uint8_t>> before, after;
        for (std::size_t i = 0; i < 5000; ++i) {
            before.emplace_back(bytes.begin() + static_cast<long>(i * 19),
                                bytes.begin() + static_cast<long>(i * 19 + 19));
            after.emplace_back(t.rawRecord(static_cast<int>(i) + 1).begin(),
                               t.rawRecord(static_cast<int>(i) + 1).end());
        }
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(before, after) << static_cast<int>(k);
    }
}

TEST(EventTable, FiltersPackInPlaceAndKeepOrder) {
    const auto a = event(1, "0A", at(2024, 3, 1, 8), 0);
    const auto b = event(2, "0B", at(2024, 3, 2, 8), 0);
    const auto c = event(1, "0B", at(2024, 3, 3, 8), 0);
    const auto d = event(3, "0A", at(2024, 3, 4, 8), 0);
    EventTable t;

    fill(t, {a, b, c, d});
    t.setCursor(3);
    EXPECT_EQ(t.keepKey(KeyNumber::parse("0A")), 2);
    EXPECT_EQ(contents(t), (std::vector{a, d}));
    EXPECT_EQ(t.cursor(), 3); // filters leave the cursor to the caller

    fill(t, {a, b, c, d});
    EXPECT_EQ(t.keepUnit(1), 2);
    EXPECT_EQ(contents(t), (std::vector{a, c}));

    fill(t, {a, b, c, d}); // both bounds inclusive
    EXPECT_EQ(t.keepPeriod(b.timestamp, c.timestamp), 2);
    EXPECT_EQ(contents(t), (std::vector{b, c}));

    fill(t, {a, b, c, d}); // an end before the start keeps nothing
    EXPECT_EQ(t.keepPeriod(c.timestamp, b.timestamp), 0);
    EXPECT_EQ(t.count(), 0);
    EXPECT_FALSE(t.first());

    fill(t, {a, b, c, d});
    EXPECT_EQ(t.keepFrom(at(2024, 3, 3)), 2);
    EXPECT_EQ(contents(t), (std::vector{c, d}));

    fill(t, {a, b, c, d}); // input events: the all-zero key
    EXPECT_EQ(t.keepKey(KeyNumber{}), 0);
}

} // namespace
} // namespace qtr
