#include "base/win1250.h"
#include "calendar/calendar_arithmetic.h"
#include "calendar/standard_fill.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

constexpr const char* kCzechFixedHolidays =
    "01.01.Nový rok\r\n01.05.Svátek práce\r\n08.05.Den vítězství\r\n"
    "05.07.Den slovanských věrozvěstů Cyrila a Metoděje\r\n06.07.Den upálení mistra Jana Husa\r\n"
    "28.09.Den české státnosti\r\n28.10.Den vzniku samostatného československého státu\r\n"
    "17.11.Den boje za svobodu a demokracii\r\n24.12.Štědrý den\r\n"
    "25.12.1. svátek vánoční\r\n26.12.2. svátek vánoční\r\n";

StandardHolidays listOf(const std::string& utf8Text, const test::TempDir& dir) {
    const std::string bytes = utf8ToWin1250(utf8Text);
    test::writeBytes(dir / kStandardHolidaysFile, {bytes.begin(), bytes.end()});
    return readStandardHolidays(dir.path());
}

std::string namesAndDates(const HolidayTable& t) {
    std::string s;
    for (const auto& h : t.records()) {
        s += formatDateTime("dd.mm.yyyy", h.holidayDate) + " " + h.holidayName.text() + "|";
    }
    return s;
}

TEST(StandardFill, FillsTheYearSortedSavedAndASecondRunOnlyReportsDuplicates) {
    test::TempDir dir;
    HolidayTable t;
    HolidayRecord own;
    own.holidayDate = encodeDate(2024, 12, 31);
    own.holidayName.setText("Silvestr (firemní volno)");
    (void)t.TryStore(own);

    const StandardHolidays list = listOf(kCzechFixedHolidays, dir);
    StandardFill f = fillYearFromStandard(t, 2024, list, dir.path());
    EXPECT_EQ(f.outcome, StandardFill::Outcome::Done);
    EXPECT_EQ(f.added, 12);
    EXPECT_TRUE(f.messages.empty());
    ASSERT_EQ(t.count(), 13);
    EXPECT_EQ(t.position(), 1);
    EXPECT_EQ(t.current().holidayName.text(), "Nový rok");
    EXPECT_EQ(formatDateTime("dd.mm.yyyy", t.at(2).holidayDate), "01.04.2024");
    EXPECT_EQ(t.at(2).holidayName.text(), "Pondělí velikonoční");
    EXPECT_EQ(t.at(5).holidayName.text(), "Den slovanských věrozvěstů Cyrila a Meto"); // 40
    EXPECT_EQ(t.at(13).holidayName.text(), "Silvestr (firemní volno)");

    HolidayTable onDisk;
    ASSERT_TRUE(loadHolidayTable(onDisk, dir.path()));
    EXPECT_EQ(onDisk.records(), t.records());

    f = fillYearFromStandard(t, 2024, list, dir.path());
    EXPECT_EQ(f.outcome, StandardFill::Outcome::Done);
    EXPECT_EQ(f.added, 0);
    ASSERT_EQ(f.messages.size(), 12u);
    EXPECT_EQ(f.messages[0], "Duplicitní datum svátku - ignorováno\r\nNový rok");
    EXPECT_EQ(f.messages[11], "Duplicitní datum svátku - ignorováno\r\nPondělí velikonoční");
    EXPECT_EQ(t.count(), 13);
}

TEST(StandardFill, InvalidLinesAreReportedAndSkipped) {
    test::TempDir dir;
    HolidayTable t;
    const StandardHolidays list =
        listOf("01.01.Nový rok\r\n1.5.Svátek práce\r\n\r\n24.12.Štědrý den\r\n", dir);
    const StandardFill f = fillYearFromStandard(t, 2003, list, dir.path());
    EXPECT_EQ(f.outcome, StandardFill::Outcome::Done);
    EXPECT_EQ(f.messages, (std::vector<std::string>{"SVATKY.INI - chybné datum\r\n1.5.Svátek práce",
                                                    "SVATKY.INI - chybné datum\r\n"}));
    EXPECT_EQ(namesAndDates(t),
              "01.01.2003 Nový rok|21.04.2003 Pondělí velikonoční|24.12.2003 Štědrý den|");
}

TEST(StandardFill, FailuresLeaveNothingOfTheRun) {
    struct Case {
        const char* what;
        int before;       // holidays in the table (2030 onwards) before the run
        const char* list; // SVATKY.INI; nullptr = no file
        StandardFill::Outcome outcome;
        std::string lastMessage;
    };
    const std::vector<Case> cases = {
        {"no file", 3, nullptr, StandardFill::Outcome::FileMissing,
         "SVATKY.INI - soubor nenalezen"},
        {"overflow on a line", 95, kCzechFixedHolidays, StandardFill::Outcome::Undone,
         "Přeplněný kalendář!"},
        {"overflow on Easter Monday", 89, kCzechFixedHolidays, StandardFill::Outcome::Undone,
         "Přeplněný kalendář!"},
        {"a day the month lacks", 3, "01.01.Nový rok\r\n30.02.Nikdy\r\n",
         StandardFill::Outcome::Undone, "SVATKY.INI - den v měsíci neexistuje\r\n30.02.Nikdy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        HolidayTable t;
        for (int i = c.before; i >= 1; --i) { // unsorted on purpose
            HolidayRecord h;
            h.holidayDate = encodeDate(2030, 1, 1) + i;
            (void)t.TryStore(h);
        }
        const HolidayTable original = t;
        const StandardHolidays list =
            c.list ? listOf(c.list, dir) : readStandardHolidays(dir.path());
        const StandardFill f = fillYearFromStandard(t, 2024, list, dir.path());
        EXPECT_EQ(f.outcome, c.outcome);
        EXPECT_EQ(f.added, 0);
        ASSERT_FALSE(f.messages.empty());
        EXPECT_EQ(f.messages.back(), c.lastMessage);
        EXPECT_EQ(t.count(), c.before);
        EXPECT_TRUE(t.holidaysOfYear(2024).empty());
        if (c.outcome == StandardFill::Outcome::Undone) {
            // The table as saved before the run, sorted, first record current.
            HolidayTable onDisk;
            ASSERT_TRUE(loadHolidayTable(onDisk, dir.path()));
            EXPECT_EQ(onDisk.records(), original.records());
            EXPECT_EQ(t.at(1).holidayDate, encodeDate(2030, 1, 2));
            EXPECT_EQ(t.position(), 1);
        } else {
            EXPECT_FALSE(std::filesystem::exists(dir / kHolidaysFile));
        }
    }
}

} // namespace
} // namespace qtr
