#include "db/zone_record.h"

#include "base/byte_io.h"

namespace qtr {

ZoneRecord ZoneRecord::named(std::string_view name) {
    ZoneRecord z;
    z.zoneTag.setText("STR");
    z.zoneName.setText(name);
    return z;
}

ZoneRecord ZoneRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    ZoneRecord z;
    z.zoneTag = r.field<ShortString<3>>();
    z.zoneName = r.field<ShortString<20>>();
    r.copyTo(z.reserved1);
    z.presentCount = r.i32();
    r.copyTo(z.reserved2);
    z.lastState = r.u8();
    r.copyTo(z.reserved3);
    r.copyTo(z.reserved4);
    return z;
}

void ZoneRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.field(zoneTag);
    w.field(zoneName);
    w.bytes(reserved1);
    w.i32(presentCount);
    w.bytes(reserved2);
    w.u8(lastState);
    w.bytes(reserved3);
    w.bytes(reserved4);
}

} // namespace qtr
