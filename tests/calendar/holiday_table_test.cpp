#include "base/win1250.h"
#include "calendar/calendar_arithmetic.h"
#include "calendar/holiday_table.h"
#include "calendar/standard_holidays.h"
#include "support/hex_dump.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace qtr {
namespace {

HolidayRecord holiday(int y, int m, int d, const char* name) {
    HolidayRecord h;
    h.holidayDate = encodeDate(y, m, d);
    h.holidayName.setText(name);
    return h;
}

std::vector<std::uint8_t> bytesOf(const HolidayRecord& h) {
    std::vector<std::uint8_t> b(HolidayRecord::kSize, 0xEE);
    h.toBytes(b);
    return b;
}

TEST(HolidayRecord, LayoutAndByteIdenticalRoundTrip) {
    HolidayRecord h = holiday(2024, 1, 1, "Nový rok");
    std::vector<std::uint8_t> expected = test::fromHex("00 00 00 00 80 1D E6 40 08"
                                                       "4E 6F 76 FD 20 72 6F 6B");
    expected.resize(HolidayRecord::kSize, 0x00);
    EXPECT_BYTES(expected, bytesOf(h));

    // The bytes after a name's length survive a read and a write.
    std::mt19937 rng(7);
    std::vector<std::uint8_t> in(HolidayRecord::kSize);
    for (auto& b : in) {
        b = static_cast<std::uint8_t>(rng());
    }
    in[8] = 3;
    EXPECT_BYTES(in, bytesOf(HolidayRecord::fromBytes(in)));
}

TEST(HolidayTable, TryStoreAppendsRefusesDuplicatesAndOverflow) {
    HolidayTable t;
    EXPECT_EQ(t.TryStore(holiday(2024, 5, 1, "Svátek práce")).outcome,
              HolidayStore::Outcome::Stored);
    const HolidayStore dup = t.TryStore(holiday(2024, 5, 1, "Jiný název"));
    EXPECT_EQ(dup.outcome, HolidayStore::Outcome::Duplicate);
    EXPECT_TRUE(dup.succeeded());
    EXPECT_EQ(dup.message(), "Duplicitní datum svátku - ignorováno\r\nSvátek práce");
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.at(1).holidayName.text(), "Svátek práce");

    for (int i = 1; t.count() < 100; ++i) {
        HolidayRecord h;
        h.holidayDate = encodeDate(2030, 1, 1) + i;
        ASSERT_EQ(t.TryStore(h).outcome, HolidayStore::Outcome::Stored);
    }
    const HolidayStore full = t.TryStore(holiday(2040, 1, 1, "101."));
    EXPECT_EQ(full.outcome, HolidayStore::Outcome::Full);
    EXPECT_FALSE(full.succeeded());
    EXPECT_EQ(full.message(), "Přeplněný kalendář!");
    // A taken date is still a duplicate, not an overflow.
    EXPECT_EQ(t.TryStore(holiday(2024, 5, 1, "")).outcome, HolidayStore::Outcome::Duplicate);
    EXPECT_EQ(t.count(), 100);
}

TEST(HolidayTable, IsHolidayMatchesTheExactDateAndMakesItCurrent) {
    HolidayTable t;
    (void)t.TryStore(holiday(2024, 12, 24, "Štědrý den"));
    (void)t.TryStore(holiday(2024, 12, 25, "1. svátek vánoční"));
    t.clearCurrent();
    EXPECT_TRUE(t.IsHoliday(encodeDate(2024, 12, 25)));
    EXPECT_EQ(t.current().holidayName.text(), "1. svátek vánoční");
    EXPECT_EQ(t.findByDate(encodeDate(2024, 12, 24)), 1);
    EXPECT_FALSE(t.IsHoliday(encodeDate(2024, 12, 26)));
    EXPECT_FALSE(t.IsHoliday(encodeDate(2024, 12, 25) + 0.5)); // a time of day is not a date
    EXPECT_FALSE(t.IsHoliday(encodeDate(2023, 12, 25)));
}

TEST(HolidayTable, SortYearsAndDeleteYear) {
    HolidayTable t;
    for (const auto& h :
         {holiday(2025, 1, 1, "c"), holiday(2024, 12, 24, "b"), holiday(2024, 1, 1, "a"),
          holiday(2026, 1, 1, "d"), holiday(2025, 12, 31, "e")}) {
        (void)t.TryStore(h);
    }
    t.sortByDate();
    std::string order;
    for (const auto& h : t.records()) {
        order += h.holidayName.text();
    }
    EXPECT_EQ(order, "abced");
    EXPECT_EQ(t.holidaysOfYear(2025).size(), 2u);
    EXPECT_EQ(t.holidaysOfYear(2025)[1].holidayName.text(), "e");

    ASSERT_TRUE(t.last());
    EXPECT_EQ(t.deleteYear(2025), 2);
    EXPECT_EQ(t.count(), 3);
    EXPECT_EQ(t.position(), 1);
    EXPECT_EQ(t.current().holidayName.text(), "a");
    EXPECT_EQ(t.deleteYear(2025), 0);
    (void)t.deleteYear(2024);
    (void)t.deleteYear(2026);
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.position(), 0);
}

TEST(HolidayTable, FileRoundTripMissingAndDamagedFiles) {
    test::TempDir dir;
    HolidayTable t;
    ASSERT_TRUE(loadHolidayTable(t, dir.path())); // no file: an empty table
    EXPECT_EQ(t.count(), 0);
    (void)t.TryStore(holiday(2024, 1, 1, "Nový rok"));
    (void)t.TryStore(holiday(2024, 4, 1, "Pondělí velikonoční"));
    ASSERT_TRUE(saveHolidayTable(t, dir.path()));
    const auto saved = test::readBytes(dir / kHolidaysFile);
    ASSERT_EQ(saved.size(), 2u * 49u);
    EXPECT_BYTES(bytesOf(t.at(2)), std::span(saved).subspan(49, 49));

    HolidayTable back;
    ASSERT_TRUE(loadHolidayTable(back, dir.path()));
    EXPECT_EQ(back.records(), t.records());

    // A torn last record: the whole one is kept, the file is copied aside.
    auto torn = saved;
    torn.resize(49 + 20);
    test::writeBytes(dir / kHolidaysFile, torn);
    const FileResult r = loadHolidayTable(back, dir.path());
    ASSERT_FALSE(r);
    EXPECT_NE(r.error().find("QTR0006.DAT je poškozen"), std::string::npos) << r.error();
    EXPECT_EQ(back.count(), 1);
    EXPECT_EQ(test::readBytes(dir / "QTR0006.DAT.bak"), torn);

    // More than 100 records: the first 100 are taken, the load is reported.
    std::vector<std::uint8_t> big;
    for (int i = 0; i < 101; ++i) {
        const auto b = bytesOf(holiday(2000, 1, 1, "x"));
        big.insert(big.end(), b.begin(), b.end());
    }
    test::writeBytes(dir / kHolidaysFile, big);
    EXPECT_FALSE(loadHolidayTable(back, dir.path()));
    EXPECT_EQ(back.count(), 100);
}

TEST(HolidayTable, ABadDateFromAForeignFileSortsAndShowsWithoutHarm) {
    HolidayTable t;
    (void)t.TryStore(holiday(2024, 1, 1, "a"));
    HolidayRecord bad;
    bad.holidayDate = std::numeric_limits<double>::quiet_NaN();
    (void)t.TryStore(bad);
    bad.holidayDate = 1e300;
    (void)t.TryStore(bad);
    t.sortByDate();
    EXPECT_TRUE(std::isnan(t.at(1).holidayDate));
    EXPECT_EQ(t.at(2).holidayName.text(), "a");
    EXPECT_EQ(holidayDateText(t.at(1).holidayDate), "??.??.???? ???");
    EXPECT_EQ(holidayDateText(1e300), "??.??.???? ???");
    EXPECT_EQ(holidayDateText(encodeDate(2024, 1, 1)), "01.01.2024 po");
    EXPECT_EQ(t.holidaysOfYear(2024).size(), 1u);
}

TEST(CalendarArithmetic, LeapYears) {
    const std::vector<std::pair<int, bool>> cases = {
        {1900, false}, {1996, true}, {2000, true},  {2004, true},  {2023, false},
        {2100, false}, {2400, true}, {4000, false}, {8000, false}, {12000, false}};
    for (const auto& [year, leap] : cases) {
        EXPECT_EQ(isCalendarLeapYear(year), leap) << year;
        EXPECT_EQ(calendarDaysInMonth(year, 2), leap ? 29 : 28) << year;
        EXPECT_EQ(calendarDaysInYear(year), leap ? 366 : 365) << year;
    }
}

// Easter Sunday by the anonymous Gregorian algorithm (Meeus, Jones, Butcher), a
// method of its own, shifted to the Monday with the ordinary date arithmetic.
MonthDay easterMondayByMeeus(int y) {
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    const CivilDateTime monday = decodeDateTime(encodeDate(y, month, day) + 1);
    return {monday.month, monday.day};
}

TEST(CalendarArithmetic, EasterMondayOfEveryYearTheCalendarsKnow) {
    EXPECT_EQ(easterMonday(2003), (MonthDay{4, 21}));
    EXPECT_EQ(easterMonday(2008), (MonthDay{3, 24}));
    for (int y = kFirstCalendarYear; y <= kLastCalendarYear; ++y) {
        const MonthDay m = easterMonday(y);
        ASSERT_EQ(m, easterMondayByMeeus(y)) << y;
        EXPECT_EQ(weekdayOf(encodeDate(y, m.month, m.day)), 1) << y;
    }
}

TEST(StandardHolidays, TheValidLineRule) {
    const std::vector<std::pair<std::string, std::uint16_t>> cases = {
        {"01.01.Nový rok", 0x0101},
        {"24.12. Štědrý den", 0x0C18},
        {"31.02.neexistuje", 0x021F}, // the day is not checked against the month
        {"01.01.", 0x0101},
        {"1.1.Nový rok", kInvalidStandardDate}, // "." not in position 3
        {"00.01.x", kInvalidStandardDate},
        {"32.01.x", kInvalidStandardDate},
        {"01.00.x", kInvalidStandardDate},
        {"01.13.x", kInvalidStandardDate},
        {"01.01x", kInvalidStandardDate},
        {" 1.01.x", kInvalidStandardDate},
        {"0a.01.x", kInvalidStandardDate},
        {"01.01", kInvalidStandardDate},
        {"", kInvalidStandardDate},
    };
    for (const auto& [line, value] : cases) {
        EXPECT_EQ(parseStandardDate(utf8ToWin1250(line)), value) << line;
    }
    EXPECT_EQ(standardHolidayName("01.01.Nový rok"), "Nový rok");
    EXPECT_EQ(standardHolidayName("01.01."), "");
    EXPECT_EQ(standardHolidayName("01.01." + std::string(45, 'n')), std::string(40, 'n'));
}

TEST(StandardHolidays, ReadingTheFile) {
    test::TempDir dir;
    StandardHolidays list = readStandardHolidays(dir.path());
    EXPECT_FALSE(list.found);
    EXPECT_EQ(standardFileMissingText(list), "SVATKY.INI - soubor nenalezen");
    const std::string text = utf8ToWin1250("01.01.Nový rok\r\n1.5.Svátek\r\n28.10.Vznik státu");
    test::writeBytes(dir / "SVATKY.INI", {text.begin(), text.end()});
    list = readStandardHolidays(dir.path());
    ASSERT_TRUE(list.found);
    ASSERT_EQ(list.lines.size(), 3u);
    EXPECT_EQ(list.lines[0], utf8ToWin1250("01.01.Nový rok"));
    EXPECT_EQ(badStandardLineText(list.lines[1]), "SVATKY.INI - chybné datum\r\n1.5.Svátek");
}

} // namespace
} // namespace qtr
