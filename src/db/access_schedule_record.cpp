#include "db/access_schedule_record.h"

#include "base/byte_io.h"

namespace qtr {

TimeSegment TimeSegment::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    TimeSegment s;
    s.from = r.u16();
    s.to = r.u16();
    s.dayMask = r.u8();
    return s;
}

void TimeSegment::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.u16(from);
    w.u16(to);
    w.u8(dayMask);
}

AccessScheduleRecord AccessScheduleRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    AccessScheduleRecord a;
    a.scheduleName = r.field<ShortString<17>>();
    a.segmentCount = r.u8();
    for (auto& s : a.segments) {
        s = r.field<TimeSegment>();
    }
    return a;
}

void AccessScheduleRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.field(scheduleName);
    w.u8(segmentCount);
    for (const auto& s : segments) {
        w.field(s);
    }
}

} // namespace qtr
