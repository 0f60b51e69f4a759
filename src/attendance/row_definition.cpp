#include "attendance/row_definition.h"

#include "base/byte_io.h"

#include <algorithm>

namespace qtr {

ReportRowItem ReportRowItem::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    ReportRowItem item;
    item.itemCode = r.u8();
    item.column = r.field<ReportColumnDef>();
    return item;
}

void ReportRowItem::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.u8(itemCode);
    w.field(column);
}

bool ReportRowDefinition::append(const ReportRowItem& item) {
    if (count_ >= kCapacity) {
        return false;
    }
    items_[count_++] = item;
    return true;
}

bool ReportRowDefinition::remove(int i) {
    if (i < 1 || i > count_) {
        return false;
    }
    std::copy(items_.begin() + i, items_.begin() + count_, items_.begin() + i - 1);
    --count_;
    return true;
}

ReportRowDefinition ReportRowDefinition::fromBytes(std::span<const std::uint8_t> in) {
    ByteReader r(in);
    ReportRowDefinition d;
    d.count_ = std::min<std::uint8_t>(r.u8(), kCapacity);
    for (auto& item : d.items_) {
        item = r.field<ReportRowItem>();
    }
    return d;
}

void ReportRowDefinition::toBytes(std::span<std::uint8_t> out) const {
    ByteWriter w(out);
    w.u8(count_);
    for (const auto& item : items_) {
        w.field(item);
    }
}

} // namespace qtr
