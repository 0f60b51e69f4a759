#include "db/permission_group_record.h"

#include "base/byte_io.h"

namespace qtr {

PermissionEntry PermissionEntry::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    PermissionEntry e;
    e.unitAddress = r.u8();
    e.entryAttributes = r.u8();
    e.scheduleName = r.field<ShortString<17>>();
    return e;
}

void PermissionEntry::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.u8(unitAddress);
    w.u8(entryAttributes);
    w.field(scheduleName);
}

PermissionGroupRecord PermissionGroupRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    PermissionGroupRecord p;
    p.name = r.field<ShortString<17>>();
    p.entryCount = r.u8();
    for (auto& e : p.entries) {
        e = r.field<PermissionEntry>();
    }
    return p;
}

void PermissionGroupRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.field(name);
    w.u8(entryCount);
    for (const auto& e : entries) {
        w.field(e);
    }
}

} // namespace qtr
