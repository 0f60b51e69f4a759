#include "db/key_holder_record.h"

#include "base/byte_io.h"

namespace qtr {

KeyHolderRecord KeyHolderRecord::newRecord() {
    KeyHolderRecord k;
    k.holderName.setText("nový");
    k.kindCode = ' ';
    return k;
}

KeyHolderRecord KeyHolderRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    KeyHolderRecord k;
    k.keyNumber = r.field<KeyNumber>();
    k.holderName = r.field<ShortString<30>>();
    r.copyTo(k.reserved);
    k.lastState = r.u8();
    k.groupName = r.field<ShortString<17>>();
    r.copyTo(k.lastEvent);
    k.permissionGroupName = r.field<ShortString<17>>();
    k.rosterName = r.field<ShortString<17>>();
    k.kindCode = r.u8();
    k.extraText1 = r.field<ShortString<17>>();
    k.extraText2 = r.field<ShortString<17>>();
    k.holderFlag = r.u8();
    return k;
}

void KeyHolderRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.field(keyNumber);
    w.field(holderName);
    w.bytes(reserved);
    w.u8(lastState);
    w.field(groupName);
    w.bytes(lastEvent);
    w.field(permissionGroupName);
    w.field(rosterName);
    w.u8(kindCode);
    w.field(extraText1);
    w.field(extraText2);
    w.u8(holderFlag);
}

} // namespace qtr
