#pragma once

#include "calendar/holiday_table.h"
#include "calendar/standard_holidays.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qtr {

// Kinds of days of the day-type table.
inline constexpr std::uint8_t kWorkingDay = 0;
inline constexpr std::uint8_t kWeekendDay = 1;
inline constexpr std::uint8_t kHolidayDay = 2;

// The letter of a day kind in the printouts: P, N, S, and X or ? for kinds no
// computation produces.
char dayKindLetter(std::uint8_t kind);

// One year's kind of every day, by month 1-12 and day 1-31; the slots beyond a
// month's length stay 0.
struct DayTypeTable {
    std::uint16_t year = 0;
    std::array<std::array<std::uint8_t, 31>, 12> kinds{};

    std::uint8_t kind(int month, int day) const {
        return kinds[static_cast<std::size_t>(month - 1)][static_cast<std::size_t>(day - 1)];
    }
    void setKind(int month, int day, std::uint8_t k) {
        kinds[static_cast<std::size_t>(month - 1)][static_cast<std::size_t>(day - 1)] = k;
    }
};

// The table for the year from the weekends, the lines of SVATKY.INI and Easter
// Monday. The operator's messages (a missing file, each invalid line with its
// first six characters) are appended to `messages` in order; without the file
// only the weekends are marked.
void BuildDayTypes(DayTypeTable& table, int year, const StandardHolidays& list,
                   std::vector<std::string>& messages);

// The table for the year from the weekends and the holidays of that year.
void BuildDayTypesFromTable(DayTypeTable& table, int year, const HolidayTable& holidays);

} // namespace qtr
