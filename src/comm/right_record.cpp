#include "comm/right_record.h"

#include "base/byte_io.h"

namespace qtr {

RightRecord RightRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in.first(kSize));
    RightRecord rec;
    rec.keyNumber = r.field<KeyNumber>();
    rec.fromTime = r.u16();
    rec.toTime = r.u16();
    rec.dayMask = r.u8();
    rec.unitAddress = r.u8();
    rec.objectMask = r.u8();
    return rec;
}

void RightRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out.first(kSize));
    w.field(keyNumber);
    w.u16(fromTime);
    w.u16(toTime);
    w.u8(dayMask);
    w.u8(unitAddress);
    w.u8(objectMask);
}

} // namespace qtr
