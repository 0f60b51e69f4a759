// Layouts of the attendance records and the operations on the code list and the card.

#include "attendance/attendance_card.h"
#include "attendance/code_list.h"
#include "attendance/row_definition.h"
#include "support/hex_dump.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace qtr {
namespace {

using test::fromHex;

template <typename R> std::vector<std::uint8_t> encode(const R& r) {
    std::vector<std::uint8_t> b(R::kSize, 0xEE);
    r.toBytes(b);
    return b;
}

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t n) {
    return {b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + n)};
}

// Random bytes read and written back come out unchanged (bytes after a text's length
// and slots beyond the count included); `fix` makes the count fields possible.
template <typename R, typename Fix> void expectByteIdenticalRoundTrip(Fix fix) {
    std::mt19937 rng(4711);
    for (int round = 0; round < 10; ++round) {
        std::vector<std::uint8_t> in(R::kSize);
        for (auto& b : in) {
            b = static_cast<std::uint8_t>(rng());
        }
        fix(in);
        EXPECT_BYTES(in, encode(R::fromBytes(in)));
    }
}

TEST(AttendanceRecords, SizesAreThoseOfTheFiles) {
    EXPECT_EQ(ReportColumnDef::kSize, 23u);
    EXPECT_EQ(AttendanceCodeRecord::kSize, 62u);
    EXPECT_EQ(AttendanceCodeList::kSize, 1551u);
    EXPECT_EQ(ReportRowItem::kSize, 24u);
    EXPECT_EQ(ReportRowDefinition::kSize, 601u);
    EXPECT_EQ(CardLine::kSize, 51u);
    EXPECT_EQ(AttendanceCard::kSize, 15343u);
}

TEST(AttendanceRecords, EveryRecordRoundTripsByteForByte) {
    const auto none = [](std::vector<std::uint8_t>&) {};
    expectByteIdenticalRoundTrip<ReportColumnDef>(none);
    expectByteIdenticalRoundTrip<AttendanceCodeRecord>(none);
    expectByteIdenticalRoundTrip<ReportRowItem>(none);
    expectByteIdenticalRoundTrip<CardLine>(none);
    expectByteIdenticalRoundTrip<AttendanceCodeList>([](auto& b) { b[0] %= 26; });
    expectByteIdenticalRoundTrip<ReportRowDefinition>([](auto& b) { b[0] %= 26; });
    expectByteIdenticalRoundTrip<AttendanceCard>([](auto& b) {
        b[24] = 0x2C; // 300
        b[25] = 0x01;
    });
}

TEST(AttendanceRecords, ImpossibleCountsAreReadAsTheCapacity) {
    std::vector<std::uint8_t> codes(AttendanceCodeList::kSize, 0);
    codes[0] = 200;
    EXPECT_EQ(AttendanceCodeList::fromBytes(codes).count(), 25);
    std::vector<std::uint8_t> rows(ReportRowDefinition::kSize, 0);
    rows[0] = 26;
    EXPECT_EQ(ReportRowDefinition::fromBytes(rows).count(), 25);
    std::vector<std::uint8_t> card(AttendanceCard::kSize, 0);
    card[24] = 0xFF;
    card[25] = 0xFF;
    EXPECT_EQ(storedLineCount(card), 65535);
    EXPECT_EQ(AttendanceCard::fromBytes(card).lineCount(), 300);
}

// Default code 4 "přestávka": not counted, at most 00:30, column "Přest." 6 wide, right.
TEST(AttendanceRecords, CodeRecordGoldenBytes) {
    const AttendanceCodeList list = AttendanceCodeList::defaults();
    EXPECT_BYTES(fromHex("04"
                         "09 70 F8 65 73 74 E1 76 6B 61 00 00 00 00 00 00 00 00 00 00 00"
                         "00"
                         "00 00 00 00 00 00 00 00"
                         "55 55 55 55 55 55 95 3F"
                         "06 50 F8 65 73 74 2E 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                         "06 50"),
                 encode(list.at(4)));
}

TEST(AttendanceRecords, CodeListAndRowDefinitionSlotOffsets) {
    const auto codes = encode(AttendanceCodeList::defaults());
    EXPECT_EQ(codes[0], 7);
    const std::vector<std::uint8_t> codeAt = {1, 2, 3, 4, 5, 10, 11};
    for (std::size_t i = 0; i < codeAt.size(); ++i) {
        EXPECT_EQ(codes[1 + 62 * i], codeAt[i]) << i;
    }
    // "Na prac." of code 1 ends the first slot: heading at 1 + 39, width, alignment.
    EXPECT_EQ(slice(codes, 40, 9), fromHex("08 4E 61 20 70 72 61 63 2E"));
    EXPECT_EQ(slice(codes, 61, 2), fromHex("08 50"));

    ReportRowDefinition rows;
    ASSERT_TRUE(rows.append({102, makeColumn("Výkon", 6, 'P')}));
    ASSERT_TRUE(rows.append({4, makeColumn("Přest.", 6, 'L')}));
    const auto bytes = encode(rows);
    EXPECT_BYTES(fromHex("02"
                         "66 05 56 FD 6B 6F 6E 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 06 50"
                         "04 06 50 F8 65 73 74 2E 00 00 00 00 00 00 00 00 00 00 00 00 00 00 06 4C"),
                 slice(bytes, 0, 49));
}

TEST(AttendanceRecords, CardGoldenBytes) {
    AttendanceCard card;
    card.dateFrom = encodeDate(2024, 5, 1);
    card.dateTo = encodeDate(2024, 5, 31);
    card.keyNumber = KeyNumber::parse("0100000012345A");
    card.planFlag = 1;
    card.usualStart = encodeTime(6, 0, 0);
    card.usualEnd = encodeTime(14, 0, 0);
    card.fillMissing = 1;
    CardLine first;
    first.shiftDay = encodeDate(2024, 5, 1);
    first.code = 3;
    first.start = encodeDate(2024, 5, 1) + encodeTime(7, 0, 0);
    first.end = encodeDate(2024, 5, 1) + encodeTime(15, 30, 0);
    first.duration = encodeTime(8, 0, 0);
    first.note.setText("obv.zač.");
    ASSERT_TRUE(card.appendLine(first));
    ASSERT_TRUE(card.appendLine(CardLine{}));

    const auto bytes = encode(card);
    EXPECT_BYTES(fromHex("00 00 00 00 A0 2C E6 40" // dateFrom 1.5.2024
                         "00 00 00 00 60 30 E6 40" // dateTo 31.5.2024
                         "01 5A 34 12 00 00 00"    // key 0100000012345A
                         "01"                      // planFlag
                         "02 00"                   // lineCount
                         "00 00 00 00 00 00 D0 3F" // 06:00
                         "AB AA AA AA AA AA E2 3F" // 14:00
                         "01"),                    // fillMissing
                 slice(bytes, 0, 43));
    EXPECT_BYTES(fromHex("00 00 00 00 A0 2C E6 40"
                         "03"
                         "55 55 55 55 A9 2C E6 40"
                         "AB AA AA AA B4 2C E6 40"
                         "55 55 55 55 55 55 D5 3F"
                         "08 6F 62 76 2E 7A 61 E8 2E 00 00 00 00 00 00 00 00 00"),
                 slice(bytes, 43, 51));
    // A blank line: code 1, everything else 0.
    std::vector<std::uint8_t> blank(51, 0);
    blank[8] = 1;
    EXPECT_BYTES(blank, slice(bytes, 94, 51));
    EXPECT_EQ(AttendanceCard::fromBytes(bytes), card);
}

TEST(CodeList, DefaultsAndTheBlankWorkingRecord) {
    const AttendanceCodeList list = AttendanceCodeList::defaults();
    std::string rows;
    for (int i = 1; i <= list.count(); ++i) {
        const auto& r = list.at(i);
        rows += std::to_string(r.code) + " " + r.name.text() + " " +
                std::to_string(r.countsToPerformance) + " " +
                std::to_string(static_cast<int>(r.maximum * 1440 + 0.5)) + " " +
                std::to_string(r.minimum) + " " + r.column.heading.text() + " " +
                std::to_string(r.column.width) + " " + static_cast<char>(r.column.alignment) + "\n";
    }
    EXPECT_EQ(rows, "1 směna 1 720 0.000000 Na prac. 8 P\n"
                    "2 služebně 1 720 0.000000 Služebně 8 P\n"
                    "3 lékař 1 720 0.000000 Lékař 7 P\n"
                    "4 přestávka 0 30 0.000000 Přest. 6 P\n"
                    "5 volný 1 720 0.000000 volný 7 P\n"
                    "10 dovolená 1 0 0.000000 Dovol. 8 P\n"
                    "11 nemoc 1 0 0.000000 Nemoc 8 P\n");
    EXPECT_EQ(list.at(1).maximum, 0.5);

    const AttendanceCodeRecord blank = AttendanceCodeRecord::blank();
    EXPECT_EQ(blank.code, 0);
    EXPECT_TRUE(blank.name.empty());
    EXPECT_EQ(blank.countsToPerformance, 1);
    EXPECT_EQ(blank.minimum, 0.0);
    EXPECT_EQ(blank.maximum, 0.5);
    EXPECT_TRUE(blank.column.heading.empty());
    EXPECT_EQ(blank.column.width, 6);
    EXPECT_TRUE(blank.column.leftAligned());
}

TEST(CodeList, WorkingRecordOperationsAndLookups) {
    AttendanceCodeList list = AttendanceCodeList::defaults();
    AttendanceCodeRecord r = AttendanceCodeRecord::blank();
    // Out of range changes nothing.
    EXPECT_FALSE(list.get(0, r));
    EXPECT_FALSE(list.get(8, r));
    EXPECT_FALSE(list.put(8, r));
    EXPECT_FALSE(list.remove(0));
    EXPECT_EQ(list, AttendanceCodeList::defaults());

    ASSERT_TRUE(list.get(2, r));
    EXPECT_EQ(r.name.text(), "služebně");
    r.code = 25;
    r.name.setText("školení");
    ASSERT_TRUE(list.append(r));
    EXPECT_EQ(list.find(25), 8);
    EXPECT_EQ(list.find(2), 2);
    EXPECT_EQ(list.find(99), 0);
    EXPECT_EQ(list.codeName(25), "školení");
    EXPECT_EQ(list.codeName(42), "? 42 ?");
    EXPECT_EQ(list.findByName("školení")->itemCode, 25);
    EXPECT_FALSE(list.findByName("Školení").has_value()); // case counts
    ASSERT_TRUE(list.remove(3));
    EXPECT_EQ(list.count(), 7);
    EXPECT_EQ(list.at(3).code, 4); // the later slots moved down
    EXPECT_EQ(list.find(3), 0);

    // Full at 25: append fails and changes nothing.
    while (list.append(r)) {
    }
    EXPECT_EQ(list.count(), 25);
    const AttendanceCodeList full = list;
    EXPECT_FALSE(list.append(r));
    EXPECT_EQ(list, full);

    const auto fixed = findFixedItemByName("Výkon");
    ASSERT_TRUE(fixed.has_value());
    EXPECT_EQ(fixed->itemCode, 102);
    EXPECT_EQ(fixed->column, makeColumn("Výkon", 6, 'P'));
    EXPECT_EQ(findFixedItemByName("Poznámka")->itemCode, 106);
    EXPECT_EQ(fixedItemColumn(104)->width, 7);
    EXPECT_EQ(fixedItemColumn(107), nullptr);
    EXPECT_FALSE(findFixedItemByName("výkon").has_value());
}

TEST(CodeList, SortOrdersByCode) {
    AttendanceCodeList list;
    for (int code : {30, 1, 11, 0, 4, 99, 2, 20, 5, 3, 10}) {
        AttendanceCodeRecord r = AttendanceCodeRecord::blank();
        r.code = static_cast<std::uint8_t>(code);
        r.name.setText("k" + std::to_string(code));
        ASSERT_TRUE(list.append(r));
    }
    list.sort();
    std::string order;
    for (int i = 1; i <= list.count(); ++i) {
        order += list.at(i).name.text() + " ";
    }
    EXPECT_EQ(order, "k0 k1 k2 k3 k4 k5 k10 k11 k20 k30 k99 ");
}

// Insert at i of a card holding lines of days 1, 2, 3: the new blank line and where the
// shift day comes from.
TEST(CardLines, InsertTakesTheShiftDayByPosition) {
    struct Case {
        int at;
        int lines; // lines on the card before
        bool ok;
        double shiftDay;   // of the new line
        std::string order; // shift days of the card afterwards
    };
    const Case cases[] = {
        {1, 3, true, 1, "1 1 2 3"},
        {2, 3, true, 2, "1 2 2 3"},
        {3, 3, true, 3, "1 2 3 3"},
        {4, 3, true, 3, "1 2 3 3"}, // after the last: the previous line's day
        {5, 3, false, 0, "1 2 3"},
        {0, 3, false, 0, "1 2 3"},
        {1, 0, true, 77, "77"}, // empty card: the given day
        {2, 0, false, 0, ""},
    };
    for (const Case& c : cases) {
        AttendanceCard card;
        for (int d = 1; d <= c.lines; ++d) {
            CardLine l;
            l.shiftDay = d;
            l.code = 3;
            l.note.setText("x");
            ASSERT_TRUE(card.appendLine(l));
        }
        CardLine working;
        working.code = 9;
        EXPECT_EQ(card.insertLine(c.at, 77, working), c.ok) << c.at << "/" << c.lines;
        std::string order;
        for (int i = 1; i <= card.lineCount(); ++i) {
            order += (i > 1 ? " " : "") + std::to_string(static_cast<int>(card.line(i).shiftDay));
        }
        EXPECT_EQ(order, c.order) << c.at << "/" << c.lines;
        if (c.ok) {
            CardLine blank;
            blank.shiftDay = c.shiftDay;
            EXPECT_EQ(working, blank);
            EXPECT_EQ(card.line(c.at), blank);
        }
    }
}

TEST(CardLines, AppendGetPutDeleteClearAndPatterns) {
    AttendanceCard card;
    CardLine l;
    for (int i = 1; i <= 300; ++i) {
        l.start = i;
        ASSERT_TRUE(card.appendLine(l));
    }
    const AttendanceCard full = card;
    EXPECT_FALSE(card.appendLine(l));
    EXPECT_FALSE(card.insertLine(1, 0, l));
    EXPECT_EQ(card, full);

    EXPECT_FALSE(card.getLine(301, l));
    EXPECT_FALSE(card.putLine(0, l));
    ASSERT_TRUE(card.getLine(300, l));
    EXPECT_EQ(l.start, 300);
    l.note.setText("opraveno");
    ASSERT_TRUE(card.putLine(2, l));
    EXPECT_EQ(card.line(2).note.text(), "opraveno");
    ASSERT_TRUE(card.deleteLine(1));
    EXPECT_EQ(card.lineCount(), 299);
    EXPECT_EQ(card.line(1).start, 300); // line 2 moved down
    EXPECT_FALSE(card.deleteLine(300));

    card.keyNumber = KeyNumber::parse("0100000012345A");
    card.planFlag = 1;
    card.dateFrom = 5;
    card.dateTo = 6;
    card.applyPattern(ShiftPattern::Night);
    card.fillMissing = 1;
    card.clear();
    EXPECT_EQ(card.lineCount(), 0);
    EXPECT_TRUE(card.keyNumber.isZero());
    EXPECT_EQ(card.planFlag, 0);
    EXPECT_EQ(card.dateFrom, 0.0);
    EXPECT_EQ(card.dateTo, 0.0);
    EXPECT_EQ(card.fillMissing, 1); // usual shift and filling stay
    EXPECT_TRUE(card.isNightShift());

    const struct {
        ShiftPattern pattern;
        const char* times;
        bool night;
    } patterns[] = {{ShiftPattern::Morning, "06:00-14:00", false},
                    {ShiftPattern::Afternoon, "14:00-22:00", false},
                    {ShiftPattern::Night, "22:00-06:00", true}};
    for (const auto& p : patterns) {
        card.fillMissing = 1;
        card.applyPattern(p.pattern);
        EXPECT_EQ(formatDateTime("hh:nn", card.usualStart) + "-" +
                      formatDateTime("hh:nn", card.usualEnd),
                  p.times);
        EXPECT_EQ(card.isNightShift(), p.night);
        EXPECT_EQ(card.fillMissing, 0);
    }
    card.usualEnd = card.usualStart; // equal times are no night shift
    EXPECT_FALSE(card.isNightShift());
}

} // namespace
} // namespace qtr
