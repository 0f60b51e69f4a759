// The date, time, key and hex parsers, and the date conversions of any double.
// Input: [8 bytes of a double] [text...].
#include "base/date_time.h"
#include "base/hex_text.h"
#include "base/hour_minute.h"
#include "base/key_number.h"
#include "events/event_record.h"
#include "fuzz_support.h"

#include <cmath>

using qtr::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qtr::fuzz::Input in(data, size);
    const double value = in.f64();
    const std::string_view text = in.text();

    // Any double: formatted, decoded, its day of the week; never a hang or overflow.
    const std::string shown = qtr::formatDateTime("dd.mm.yyyy hh:nn:ss.zzz dddd mmmm", value);
    const bool valid = qtr::isValidDateTime(value);
    check(valid == (shown.find('?') == std::string::npos));
    const qtr::CivilDateTime c = qtr::decodeDateTime(value);
    check(qtr::isValidDate(c.year, c.month, c.day));
    check(qtr::isValidTime(c.hour, c.minute, c.second, c.millisecond));
    const int weekday = qtr::dayOfWeek(value);
    check(valid ? weekday >= 1 && weekday <= 7 : weekday == 0);
    if (valid) {
        // What is shown is what the value holds, to the millisecond (before the epoch
        // the fraction runs forward from the day, which encoding does not undo).
        if (value >= 0) {
            check(std::fabs(qtr::encodeDateTime(c) - value) * 86400000.0 < 0.6);
        }
        qtr::DateTime parsed = 0;
        check(qtr::parseDateTime(qtr::formatDateTime("dd.mm.yyyy hh:nn:ss", value), parsed));
    }
    const qtr::PackedDateTime packed = qtr::toPackedDateTime(value);
    (void)qtr::toDateTime(packed);

    // The text as a date, a time of day, a key and a hex byte.
    qtr::DateTime t = 0;
    if (qtr::parseDateTime(text, t)) {
        check(qtr::isValidDateTime(t));
        qtr::DateTime again = 0;
        check(qtr::parseDateTime(qtr::formatDateTime("dd.mm.yyyy hh:nn:ss", t), again));
        check(again == t);
    }
    const qtr::HourMinute hm = qtr::parseHourMinute(text);
    if (hm != qtr::kInvalidHourMinute) {
        check(qtr::hourMinuteText(hm) == text);
    }
    const qtr::KeyNumber key = qtr::KeyNumber::parse(text);
    check(key.text().size() == 14);
    if (qtr::isWellFormedKeyText(text) && text.size() == 14) {
        check(qtr::KeyNumber::parse(key.text()) == key);
    }
    const std::uint8_t b = qtr::parseHexByte(text);
    check(qtr::parseHexByte(qtr::hexByteText(b)) == b);
    (void)qtr::isHexText(text);
    return 0;
}
