#include "attendance/attendance_card.h"

#include "attendance/attendance_time.h"
#include "base/byte_io.h"

#include <algorithm>

namespace qtr {

CardLine CardLine::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    CardLine l;
    l.shiftDay = r.f64();
    l.code = r.u8();
    l.start = r.f64();
    l.end = r.f64();
    l.duration = r.f64();
    l.note = r.field<ShortString<17>>();
    return l;
}

void CardLine::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.f64(shiftDay);
    w.u8(code);
    w.f64(start);
    w.f64(end);
    w.f64(duration);
    w.field(note);
}

bool AttendanceCard::appendLine(const CardLine& l) {
    if (isFull()) {
        return false;
    }
    lines_[lineCount_++] = l;
    return true;
}

bool AttendanceCard::getLine(int i, CardLine& l) const {
    if (i < 1 || i > lineCount_) {
        return false;
    }
    l = line(i);
    return true;
}

bool AttendanceCard::putLine(int i, const CardLine& l) {
    if (i < 1 || i > lineCount_) {
        return false;
    }
    line(i) = l;
    return true;
}

bool AttendanceCard::insertLine(int i, DateTime day, CardLine& working) {
    if (isFull() || i < 1 || i > lineCount_ + 1) {
        return false;
    }
    working = CardLine{};
    if (i <= lineCount_) {
        working.shiftDay = line(i).shiftDay;
        std::move_backward(lines_.begin() + (i - 1), lines_.begin() + lineCount_,
                           lines_.begin() + lineCount_ + 1);
    } else if (i > 1) {
        working.shiftDay = line(i - 1).shiftDay;
    } else {
        working.shiftDay = day;
    }
    lines_[static_cast<std::size_t>(i - 1)] = working;
    ++lineCount_;
    return true;
}

bool AttendanceCard::deleteLine(int i) {
    if (i < 1 || i > lineCount_) {
        return false;
    }
    std::move(lines_.begin() + i, lines_.begin() + lineCount_, lines_.begin() + (i - 1));
    --lineCount_;
    return true;
}

void AttendanceCard::clear() {
    lineCount_ = 0;
    keyNumber = KeyNumber{};
    planFlag = 0;
    dateFrom = 0.0;
    dateTo = 0.0;
}

void AttendanceCard::applyPattern(ShiftPattern pattern) {
    switch (pattern) {
    case ShiftPattern::Morning:
        usualStart = encodeTime(6, 0, 0);
        usualEnd = encodeTime(14, 0, 0);
        break;
    case ShiftPattern::Afternoon:
        usualStart = encodeTime(14, 0, 0);
        usualEnd = encodeTime(22, 0, 0);
        break;
    case ShiftPattern::Night:
        usualStart = encodeTime(22, 0, 0);
        usualEnd = encodeTime(6, 0, 0);
        break;
    }
    fillMissing = 0;
}

bool AttendanceCard::isNightShift() const {
    return millisecondsOfDay(usualEnd) < millisecondsOfDay(usualStart);
}

AttendanceCard AttendanceCard::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    AttendanceCard c;
    c.dateFrom = r.f64();
    c.dateTo = r.f64();
    c.keyNumber = r.field<KeyNumber>();
    c.planFlag = r.u8();
    c.lineCount_ = std::min<std::uint16_t>(r.u16(), kLineCapacity);
    c.usualStart = r.f64();
    c.usualEnd = r.f64();
    c.fillMissing = r.u8();
    for (auto& l : c.lines_) {
        l = r.field<CardLine>();
    }
    return c;
}

void AttendanceCard::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.f64(dateFrom);
    w.f64(dateTo);
    w.field(keyNumber);
    w.u8(planFlag);
    w.u16(lineCount_);
    w.f64(usualStart);
    w.f64(usualEnd);
    w.u8(fillMissing);
    for (const auto& l : lines_) {
        w.field(l);
    }
}

std::uint16_t storedLineCount(std::span<const std::uint8_t> cardImage) {
    return static_cast<std::uint16_t>(cardImage[24] | cardImage[25] << 8);
}

} // namespace qtr
