#pragma once

#include "base/date_time.h"
#include "base/short_string.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qtr {

// The look of one report column (23 bytes).
//   offset 0, 21  heading     string[20]
//   offset 21, 1  width       characters
//   offset 22, 1  alignment   'L' left, anything else (the program writes 'P') right
struct ReportColumnDef {
    static constexpr std::size_t kSize = 23;

    ShortString<20> heading;
    std::uint8_t width = 0;
    std::uint8_t alignment = 0;

    bool leftAligned() const { return alignment == 'L'; }

    static ReportColumnDef fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const ReportColumnDef&, const ReportColumnDef&) = default;
};

ReportColumnDef makeColumn(std::string_view heading, std::uint8_t width, char alignment);

// One row of the attendance code list (62 bytes).
//   offset 0, 1   code                 unique in the list
//   offset 1, 21  name                 string[20]
//   offset 22, 1  countsToPerformance  boolean byte: the minutes add to the day's performance
//   offset 23, 8  minimum              double, shown only
//   offset 31, 8  maximum              double, its time of day is the most counted per day; 0 =
//   none offset 39, 23 column               the code's report column
struct AttendanceCodeRecord {
    static constexpr std::size_t kSize = 62;

    std::uint8_t code = 0;
    ShortString<20> name;
    std::uint8_t countsToPerformance = 0;
    DateTime minimum = 0.0;
    DateTime maximum = 0.0;
    ReportColumnDef column;

    bool counts() const { return countsToPerformance != 0; }

    // The working record of the code list editor for a new code: code 0, counted,
    // maximum 12:00, width 6, left-aligned.
    static AttendanceCodeRecord blank();

    static AttendanceCodeRecord fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const AttendanceCodeRecord&, const AttendanceCodeRecord&) = default;
};

// The code and column an item of the report row is made from.
struct ReportItemLook {
    int itemCode = 0;
    ReportColumnDef column;
};

// The attendance code list, the one record of DRUHPRAC.DAT (1551 bytes): the count,
// then 25 slots of 62 bytes. Slots are numbered 1..count; slots beyond the count keep
// whatever bytes they were read with.
class AttendanceCodeList {
public:
    static constexpr int kCapacity = 25;
    static constexpr std::size_t kSize = 1 + kCapacity * AttendanceCodeRecord::kSize;

    // The list of a new installation: codes 1, 2, 3, 4, 5, 10, 11.
    static AttendanceCodeList defaults();

    int count() const { return count_; }
    bool isFull() const { return count_ >= kCapacity; }
    // Slot i, 1..count.
    const AttendanceCodeRecord& at(int i) const { return slots_[static_cast<std::size_t>(i - 1)]; }

    // The working-record operations of the code list editor; false outside 1..count
    // (append: when the list is full), and nothing changes then.
    bool append(const AttendanceCodeRecord& record);
    bool get(int i, AttendanceCodeRecord& record) const;
    bool put(int i, const AttendanceCodeRecord& record);
    bool remove(int i);

    // Index of the first slot with the code, 0 when none.
    int find(int code) const;
    // Whether a slot other than `ownIndex` (0: a record not in the list) holds the code.
    bool codeTakenByAnother(int code, int ownIndex) const;
    // The record of a code, or nullptr.
    const AttendanceCodeRecord* record(int code) const;
    // The code's name, or "? " + code + " ?" for a code the list does not hold.
    std::string codeName(int code) const;
    // The first code whose name equals the text exactly.
    std::optional<ReportItemLook> findByName(std::string_view name) const;

    // Slots 1..count by code, ascending (the program's quicksort, middle slot as pivot).
    void sort();

    // A count byte above 25 (a damaged file) is read as 25.
    static AttendanceCodeList fromBytes(std::span<const std::uint8_t> in);
    void toBytes(std::span<std::uint8_t> out) const;
    friend bool operator==(const AttendanceCodeList&, const AttendanceCodeList&) = default;

private:
    std::uint8_t count_ = 0;
    std::array<AttendanceCodeRecord, kCapacity> slots_{};
};

// The six report items that are no attendance codes: 101 "Norma", 102 "Výkon",
// 103 "Saldo", 104 "Počátek", 105 "Konec", 106 "Poznámka".
inline constexpr int kFirstFixedItem = 101;
inline constexpr int kFixedItemCount = 6;
// The look of fixed item 101..106, or nullptr for any other number.
const ReportColumnDef* fixedItemColumn(int itemCode);
// The first fixed item whose heading equals the text.
std::optional<ReportItemLook> findFixedItemByName(std::string_view heading);

} // namespace qtr
