#pragma once

// What a control unit delivers for one recorded event, byte for byte.
//
// This header is self-contained (standard library only, everything inline) so
// that both sides of the bus can use and read it: the PC side turns items into
// stored events (event_record.h), the simulated units produce them.
//
// An event answer (the data bytes of a read-next-event or read-events answer,
// checksum dropped):
//
//   byte 0        address of the answering unit
//   bytes 1..3    rest of the answer header
//   bytes 4..     items of 14 bytes, one after another; item i (1-based)
//                 starts at byte 4 + 14 * (i - 1); at most 21 are taken
//
// One item (RawEventItem, 14 bytes):
//
//   offset 0, 7 bytes   key number in stored byte order (as KeyNumber keeps it);
//                       all zero for an input event
//   offset 7, 4 bytes   PackedDateTime, little-endian
//   offset 11, 1 byte   event code:
//                         bits 0-3  sensor index: 0-7 reader TM0-TM7, 8-15 input IN0-IN7
//                                   (so bit 3 set = input event)
//                         bits 4-5  result code 0-3
//                         bits 6-7  not interpreted
//   offset 12, 2 bytes  meaningless, only tested for zero by the empty-item rule
//
// PackedDateTime (32 bits, the FAT time-stamp layout with year base 2000):
//
//   bits 0-4    seconds / 2 (the stored value is doubled when read)
//   bits 5-10   minutes
//   bits 11-15  hours
//   bits 16-20  day of month
//   bits 21-24  month
//   bits 25-31  years since 2000
//
// An item is empty (a unit with nothing left answers with one) when its key
// bytes are all zero, its PackedDateTime read as a signed 32-bit number is zero,
// negative or 0x210000 (1.1.2000 00:00:00), and its bytes 11, 12 and 13 are zero.
// The items of an answer are those before the first empty one.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace qtr {

// The fields of a PackedDateTime, as stored (no validation: a unit may deliver
// month 13 or hour 25, and the PC side must cope).
struct PackedDateTime {
    int year = 2000; // 2000..2127
    int month = 1;   // 1..12 when sane (0..15 fit)
    int day = 1;     // 1..31 when sane (0..31 fit)
    int hour = 0;    // 0..23 when sane (0..31 fit)
    int minute = 0;  // 0..59 when sane (0..63 fit)
    int second = 0;  // always even: the unit keeps seconds / 2

    static constexpr PackedDateTime unpack(std::uint32_t v) {
        PackedDateTime p;
        p.second = static_cast<int>(v & 0x1Fu) * 2;
        p.minute = static_cast<int>(v >> 5 & 0x3Fu);
        p.hour = static_cast<int>(v >> 11 & 0x1Fu);
        p.day = static_cast<int>(v >> 16 & 0x1Fu);
        p.month = static_cast<int>(v >> 21 & 0x0Fu);
        p.year = 2000 + static_cast<int>(v >> 25 & 0x7Fu);
        return p;
    }

    // Fields out of range are masked to their bit widths; an odd second is
    // rounded down, as the unit's clock would store it.
    constexpr std::uint32_t pack() const {
        const auto bits = [](int value, unsigned width) {
            return static_cast<std::uint32_t>(value) & ((1u << width) - 1u);
        };
        return bits(second / 2, 5) | bits(minute, 6) << 5 | bits(hour, 5) << 11 |
               bits(day, 5) << 16 | bits(month, 4) << 21 | bits(year - 2000, 7) << 25;
    }

    friend constexpr bool operator==(const PackedDateTime&, const PackedDateTime&) = default;
};

// 1.1.2000 00:00:00 packed: what an idle unit reports as "no time".
inline constexpr std::uint32_t kPackedNoTime = 0x210000;

struct RawEventItem {
    static constexpr std::size_t kSize = 14;

    std::array<std::uint8_t, 7> keyBytes{};
    std::uint32_t packedDateTime = 0;
    std::uint8_t eventCode = 0;
    std::array<std::uint8_t, 2> tail{};

    static constexpr RawEventItem fromBytes(std::span<const std::uint8_t> in) {
        RawEventItem item;
        std::copy_n(in.begin(), 7, item.keyBytes.begin());
        item.packedDateTime =
            static_cast<std::uint32_t>(in[7]) | static_cast<std::uint32_t>(in[8]) << 8 |
            static_cast<std::uint32_t>(in[9]) << 16 | static_cast<std::uint32_t>(in[10]) << 24;
        item.eventCode = in[11];
        item.tail = {in[12], in[13]};
        return item;
    }

    constexpr void toBytes(std::span<std::uint8_t> out) const {
        std::copy(keyBytes.begin(), keyBytes.end(), out.begin());
        for (std::size_t i = 0; i < 4; ++i) {
            out[7 + i] = static_cast<std::uint8_t>(packedDateTime >> (8 * i));
        }
        out[11] = eventCode;
        out[12] = tail[0];
        out[13] = tail[1];
    }

    constexpr bool isEmpty() const {
        const bool noKey =
            std::all_of(keyBytes.begin(), keyBytes.end(), [](std::uint8_t b) { return b == 0; });
        const auto signedTime = static_cast<std::int32_t>(packedDateTime);
        const bool noTime = signedTime <= 0 || packedDateTime == kPackedNoTime;
        return noKey && noTime && eventCode == 0 && tail[0] == 0 && tail[1] == 0;
    }

    friend constexpr bool operator==(const RawEventItem&, const RawEventItem&) = default;
};

// Layout of an event answer.
inline constexpr std::size_t kFirstItemOffset = 4;
inline constexpr int kMaxItemsPerAnswer = 21;

// Byte offset of item i (1-based) in an answer.
constexpr std::size_t eventItemOffset(int itemIndex) {
    return kFirstItemOffset + RawEventItem::kSize * static_cast<std::size_t>(itemIndex - 1);
}

// Item i (1-based) of an answer. Bytes beyond the end of the answer read as
// zero, so an item cut short by a short answer is as empty as the unit left it.
constexpr RawEventItem eventItemAt(std::span<const std::uint8_t> answer, int itemIndex) {
    std::array<std::uint8_t, RawEventItem::kSize> bytes{};
    const std::size_t start = eventItemOffset(itemIndex);
    for (std::size_t k = 0; k < RawEventItem::kSize && start + k < answer.size(); ++k) {
        bytes[k] = answer[start + k];
    }
    return RawEventItem::fromBytes(bytes);
}

// The number of items before the first empty one, at most 21.
constexpr int countEventItems(std::span<const std::uint8_t> answer) {
    int n = 0;
    while (n < kMaxItemsPerAnswer && !eventItemAt(answer, n + 1).isEmpty()) {
        ++n;
    }
    return n;
}

} // namespace qtr
