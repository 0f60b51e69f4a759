#include "attendance/code_list.h"

#include "base/byte_io.h"
#include "base/quicksort.h"

#include <algorithm>

namespace qtr {

ReportColumnDef ReportColumnDef::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    ReportColumnDef c;
    c.heading = r.field<ShortString<20>>();
    c.width = r.u8();
    c.alignment = r.u8();
    return c;
}

void ReportColumnDef::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.field(heading);
    w.u8(width);
    w.u8(alignment);
}

ReportColumnDef makeColumn(std::string_view heading, std::uint8_t width, char alignment) {
    ReportColumnDef c;
    c.heading.setText(heading);
    c.width = width;
    c.alignment = static_cast<std::uint8_t>(alignment);
    return c;
}

AttendanceCodeRecord AttendanceCodeRecord::blank() {
    AttendanceCodeRecord r;
    r.countsToPerformance = 1;
    r.maximum = encodeTime(12, 0, 0);
    r.column = makeColumn("", 6, 'L');
    return r;
}

AttendanceCodeRecord AttendanceCodeRecord::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    AttendanceCodeRecord c;
    c.code = r.u8();
    c.name = r.field<ShortString<20>>();
    c.countsToPerformance = r.u8();
    c.minimum = r.f64();
    c.maximum = r.f64();
    c.column = r.field<ReportColumnDef>();
    return c;
}

void AttendanceCodeRecord::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.u8(code);
    w.field(name);
    w.u8(countsToPerformance);
    w.f64(minimum);
    w.f64(maximum);
    w.field(column);
}

AttendanceCodeList AttendanceCodeList::defaults() {
    struct Row {
        std::uint8_t code;
        const char* name;
        std::uint8_t counts;
        int maximumMinutes;
        const char* heading;
        std::uint8_t width;
    };
    static constexpr Row kRows[] = {
        {1, "směna", 1, 720, "Na prac.", 8}, {2, "služebně", 1, 720, "Služebně", 8},
        {3, "lékař", 1, 720, "Lékař", 7},    {4, "přestávka", 0, 30, "Přest.", 6},
        {5, "volný", 1, 720, "volný", 7},    {10, "dovolená", 1, 0, "Dovol.", 8},
        {11, "nemoc", 1, 0, "Nemoc", 8},
    };
    AttendanceCodeList list;
    for (const Row& row : kRows) {
        AttendanceCodeRecord r;
        r.code = row.code;
        r.name.setText(row.name);
        r.countsToPerformance = row.counts;
        r.maximum = encodeTime(row.maximumMinutes / 60, row.maximumMinutes % 60, 0);
        r.column = makeColumn(row.heading, row.width, 'P');
        list.append(r);
    }
    return list;
}

bool AttendanceCodeList::append(const AttendanceCodeRecord& record) {
    if (isFull()) {
        return false;
    }
    slots_[count_++] = record;
    return true;
}

bool AttendanceCodeList::get(int i, AttendanceCodeRecord& record) const {
    if (i < 1 || i > count_) {
        return false;
    }
    record = at(i);
    return true;
}

bool AttendanceCodeList::put(int i, const AttendanceCodeRecord& record) {
    if (i < 1 || i > count_) {
        return false;
    }
    slots_[static_cast<std::size_t>(i - 1)] = record;
    return true;
}

bool AttendanceCodeList::remove(int i) {
    if (i < 1 || i > count_) {
        return false;
    }
    std::move(slots_.begin() + i, slots_.begin() + count_, slots_.begin() + (i - 1));
    --count_;
    return true;
}

int AttendanceCodeList::find(int code) const {
    for (int i = 1; i <= count_; ++i) {
        if (at(i).code == code) {
            return i;
        }
    }
    return 0;
}

bool AttendanceCodeList::codeTakenByAnother(int code, int ownIndex) const {
    for (int i = 1; i <= count_; ++i) {
        if (i != ownIndex && at(i).code == code) {
            return true;
        }
    }
    return false;
}

const AttendanceCodeRecord* AttendanceCodeList::record(int code) const {
    const int i = find(code);
    return i == 0 ? nullptr : &at(i);
}

std::string AttendanceCodeList::codeName(int code) const {
    const AttendanceCodeRecord* r = record(code);
    return r != nullptr ? r->name.text() : "? " + std::to_string(code) + " ?";
}

std::optional<ReportItemLook> AttendanceCodeList::findByName(std::string_view name) const {
    for (int i = 1; i <= count_; ++i) {
        if (at(i).name.text() == name) {
            return ReportItemLook{at(i).code, at(i).column};
        }
    }
    return std::nullopt;
}

void AttendanceCodeList::sort() {
    struct Ops {
        std::array<AttendanceCodeRecord, kCapacity>& slots;
        std::uint8_t pivot = 0;
        void takePivot(long p) { pivot = slots[static_cast<std::size_t>(p)].code; }
        bool beforePivot(long i) const { return slots[static_cast<std::size_t>(i)].code < pivot; }
        bool pivotBefore(long j) const { return pivot < slots[static_cast<std::size_t>(j)].code; }
        void exchange(long i, long j) {
            std::swap(slots[static_cast<std::size_t>(i)], slots[static_cast<std::size_t>(j)]);
        }
    } ops{slots_};
    middlePivotQuicksort(ops, 0, static_cast<long>(count_) - 1);
}

AttendanceCodeList AttendanceCodeList::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    AttendanceCodeList list;
    list.count_ = std::min<std::uint8_t>(r.u8(), kCapacity);
    for (auto& slot : list.slots_) {
        slot = r.field<AttendanceCodeRecord>();
    }
    return list;
}

void AttendanceCodeList::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.u8(count_);
    for (const auto& slot : slots_) {
        w.field(slot);
    }
}

namespace {

const std::array<ReportColumnDef, kFixedItemCount>& fixedItems() {
    static const std::array<ReportColumnDef, kFixedItemCount> kItems = {
        makeColumn("Norma", 6, 'P'),   makeColumn("Výkon", 6, 'P'), makeColumn("Saldo", 6, 'P'),
        makeColumn("Počátek", 7, 'P'), makeColumn("Konec", 7, 'P'), makeColumn("Poznámka", 8, 'P'),
    };
    return kItems;
}

} // namespace

const ReportColumnDef* fixedItemColumn(int itemCode) {
    const int i = itemCode - kFirstFixedItem;
    return i >= 0 && i < kFixedItemCount ? &fixedItems()[static_cast<std::size_t>(i)] : nullptr;
}

std::optional<ReportItemLook> findFixedItemByName(std::string_view heading) {
    for (int i = 0; i < kFixedItemCount; ++i) {
        const ReportColumnDef& c = fixedItems()[static_cast<std::size_t>(i)];
        if (c.heading.text() == heading) {
            return ReportItemLook{kFirstFixedItem + i, c};
        }
    }
    return std::nullopt;
}

} // namespace qtr
