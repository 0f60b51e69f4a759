#include "db/control_unit_record.h"

#include "base/byte_io.h"

namespace qtr {

std::string_view unitTypeName(std::uint8_t unitType) {
    switch (unitType) {
    case kUnitAccess:
        return "přístupová";
    case kUnitAttendance:
        return "docházková";
    case kUnitDoor:
        return "dveřní";
    case kUnitBarrier:
        return "závorová";
    default:
        return "neznámý typ";
    }
}

UnitObjectRecord UnitObjectRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    UnitObjectRecord o;
    o.zoneName = r.field<ShortString<20>>();
    o.planX = r.i32();
    o.planY = r.i32();
    o.authorisedCount = r.i32();
    o.presentCount = r.i32();
    o.objectState = r.u8();
    return o;
}

void UnitObjectRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.field(zoneName);
    w.i32(planX);
    w.i32(planY);
    w.i32(authorisedCount);
    w.i32(presentCount);
    w.u8(objectState);
}

ControlUnitRecord ControlUnitRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    ControlUnitRecord u;
    u.address = r.u8();
    u.unitType = r.u8();
    u.alarmMask = r.u8();
    u.relayMask = r.u8();
    r.copyTo(u.parameters);
    u.unitName = r.field<ShortString<15>>();
    for (auto& t : u.resultTexts) {
        t = r.field<ShortString<14>>();
    }
    for (auto& t : u.readerNames) {
        t = r.field<ShortString<17>>();
    }
    for (auto& t : u.inputNames) {
        t = r.field<ShortString<17>>();
    }
    u.usage = r.u8();
    for (auto& o : u.objects) {
        o = r.field<UnitObjectRecord>();
    }
    return u;
}

void ControlUnitRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.u8(address);
    w.u8(unitType);
    w.u8(alarmMask);
    w.u8(relayMask);
    w.bytes(parameters);
    w.field(unitName);
    for (const auto& t : resultTexts) {
        w.field(t);
    }
    for (const auto& t : readerNames) {
        w.field(t);
    }
    for (const auto& t : inputNames) {
        w.field(t);
    }
    w.u8(usage);
    for (const auto& o : objects) {
        w.field(o);
    }
}

} // namespace qtr
