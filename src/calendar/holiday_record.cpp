#include "calendar/holiday_record.h"

#include "base/byte_io.h"

namespace qtr {

HolidayRecord HolidayRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    HolidayRecord h;
    h.holidayDate = r.f64();
    h.holidayName = r.field<ShortString<40>>();
    return h;
}

void HolidayRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.f64(holidayDate);
    w.field(holidayName);
}

} // namespace qtr
