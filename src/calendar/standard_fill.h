#pragma once

#include "calendar/holiday_table.h"
#include "calendar/standard_holidays.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

inline constexpr const char* kEasterMondayName = "Pondělí velikonoční";

struct StandardFill {
    enum class Outcome {
        Done,        // the year is filled (duplicates and invalid lines were reported)
        FileMissing, // SVATKY.INI is not there: nothing changed
        Undone,      // the table overflowed or a line named a day its month lacks:
                     // nothing of the run remains
        SaveFailed,  // QTR0006.DAT could not be written
    };
    Outcome outcome = Outcome::Done;
    int added = 0;
    // What the operator is told, in order: each duplicate, each invalid line, and
    // the reason of a failure.
    std::vector<std::string> messages;
};

// "Standard ": the holidays of SVATKY.INI and Easter Monday are added to the year.
// The table is saved before and after; a run that cannot be completed is undone
// as a whole. Afterwards the table is sorted by date and its first record is current.
StandardFill fillYearFromStandard(HolidayTable& table, int year, const StandardHolidays& list,
                                  const std::filesystem::path& dir);

} // namespace qtr
