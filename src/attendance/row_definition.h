#pragma once

#include "attendance/code_list.h"

#include <array>
#include <cstdint>
#include <span>

namespace qtr {

// One column of the attendance report (24 bytes): the item (an attendance code 1..100
// or a fixed item 101..106) and a copy of its look.
struct ReportRowItem {
    static constexpr std::size_t kSize = 24;

    std::uint8_t itemCode = 0;
    ReportColumnDef column;

    static ReportRowItem fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const ReportRowItem&, const ReportRowItem&) = default;
};

// The columns of the attendance report in their order, the one record of DEFRADVY.DAT
// (601 bytes): the count, then 25 slots of 24 bytes.
class ReportRowDefinition {
public:
    static constexpr int kCapacity = 25;
    static constexpr std::size_t kSize = 1 + kCapacity * ReportRowItem::kSize;

    int count() const { return count_; }
    // Column i, 1..count.
    const ReportRowItem& at(int i) const { return items_[static_cast<std::size_t>(i - 1)]; }
    // false when 25 columns exist.
    bool append(const ReportRowItem& item);
    // Removes column i (1..count), the later ones move up; false outside the range.
    bool remove(int i);
    void clear() { count_ = 0; }

    // A count byte above 25 (a damaged file) is read as 25.
    static ReportRowDefinition fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const ReportRowDefinition&, const ReportRowDefinition&) = default;

private:
    std::uint8_t count_ = 0;
    std::array<ReportRowItem, kCapacity> items_{};
};

} // namespace qtr
