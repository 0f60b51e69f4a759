#include "events/event_record.h"

#include "base/byte_io.h"

namespace qtr {

EventRecord EventRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in.first(kSize));
    EventRecord e;
    e.unitAddress = r.u8();
    e.keyNumber = r.field<KeyNumber>();
    e.timestamp = r.f64();
    e.eventCode = r.u8();
    e.reserved1 = r.u8();
    e.reserved2 = r.u8();
    return e;
}

void EventRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out.first(kSize));
    w.u8(unitAddress);
    w.field(keyNumber);
    w.f64(timestamp);
    w.u8(eventCode);
    w.u8(reserved1);
    w.u8(reserved2);
}

std::optional<DateTime> toDateTime(const PackedDateTime& p) {
    if (!isValidDate(p.year, p.month, p.day) || !isValidTime(p.hour, p.minute, p.second)) {
        return std::nullopt;
    }
    return encodeDate(p.year, p.month, p.day) + encodeTime(p.hour, p.minute, p.second);
}

PackedDateTime toPackedDateTime(DateTime value) {
    const CivilDateTime c = decodeDateTime(value);
    PackedDateTime p;
    p.year = c.year;
    p.month = c.month;
    p.day = c.day;
    p.hour = c.hour;
    p.minute = c.minute;
    p.second = c.second / 2 * 2;
    return p;
}

EventRecord buildEventRecord(std::span<const std::uint8_t> answer, int itemIndex) {
    const RawEventItem item = eventItemAt(answer, itemIndex);
    EventRecord e;
    e.unitAddress = answer.empty() ? 0 : answer[0];
    e.keyNumber = KeyNumber::fromBytes(item.keyBytes);
    e.timestamp = toDateTime(PackedDateTime::unpack(item.packedDateTime)).value_or(0.0);
    e.eventCode = item.eventCode;
    return e;
}

} // namespace qtr
