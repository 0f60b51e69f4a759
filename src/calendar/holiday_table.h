#pragma once

#include "calendar/holiday_record.h"
#include "db/config_table.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qtr {

inline constexpr const char* kHolidaysFile = "QTR0006.DAT";

// What TryStore did with a holiday.
struct HolidayStore {
    enum class Outcome {
        Stored,    // appended at the end
        Duplicate, // the date is taken: nothing stored, which counts as success
        Full,      // the table holds 100 holidays already: a failure
    };
    Outcome outcome = Outcome::Stored;
    std::string existingName; // the holiday that has the date, for Duplicate

    bool succeeded() const { return outcome != Outcome::Full; }
    // The text the operator is shown; empty for Stored.
    std::string message() const;
};

inline constexpr const char* kCalendarFullText = "Přeplněný kalendář!";

// The holiday table: at most 100 holidays with unique dates, kept sorted by date
// in QTR0006.DAT. Holidays added since the last sort stand at the end.
class HolidayTable : public ConfigTable<HolidayRecord, 100> {
public:
    // Position of the holiday with exactly this date, or 0.
    int findByDate(DateTime date) const;
    // True when a holiday has exactly this date (the caller passes a date without
    // time of day); that holiday becomes the current record.
    bool IsHoliday(DateTime date);

    // Appends the holiday unless its date is taken or the table is full.
    HolidayStore TryStore(const HolidayRecord& holiday);

    // Every holiday dated in the year, in table order.
    std::vector<HolidayRecord> holidaysOfYear(int year) const;
    // Deletes every holiday of the year and selects the first record; returns how many went.
    int deleteYear(int year);

    void sortByDate();
};

// Loads QTR0006.DAT from `dir` when it exists (an empty table otherwise). A
// damaged file keeps the holidays before the fault and is copied aside first.
FileResult loadHolidayTable(HolidayTable& table, const std::filesystem::path& dir);
FileResult saveHolidayTable(const HolidayTable& table, const std::filesystem::path& dir);

} // namespace qtr
