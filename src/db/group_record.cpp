#include "db/group_record.h"

#include "base/byte_io.h"

namespace qtr {

GroupRecord GroupRecord::newRecord() {
    GroupRecord g;
    g.groupName.setText("nová");
    return g;
}

GroupRecord GroupRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    GroupRecord g;
    g.groupName = r.field<ShortString<17>>();
    g.authorisedCount = r.i32();
    g.presentCount = r.i32();
    return g;
}

void GroupRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.field(groupName);
    w.i32(authorisedCount);
    w.i32(presentCount);
}

} // namespace qtr
