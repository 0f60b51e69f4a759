#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qtr {

// SVATKY.INI: the recurring holidays, one a line, "dd.mm." and the name.
inline constexpr const char* kStandardHolidaysFile = "SVATKY.INI";
inline constexpr std::uint16_t kInvalidStandardDate = 65535;

// Month x 256 + day of a valid line: its first six characters are two digits of
// a day 1-31, ".", two digits of a month 1-12 and "." (the day is not checked
// against the month). Any other line gives kInvalidStandardDate.
std::uint16_t parseStandardDate(std::string_view line);

// The holiday's name of a line: its characters from the seventh on, at most 40.
std::string_view standardHolidayName(std::string_view win1250Line);

struct StandardHolidays {
    bool found = false;
    std::string readError;          // the file is there but could not be read
    std::vector<std::string> lines; // Windows-1250, as in the file
};

StandardHolidays readStandardHolidays(const std::filesystem::path& dir);

// "SVATKY.INI - soubor nenalezen", or the read error.
std::string standardFileMissingText(const StandardHolidays& list);
// "SVATKY.INI - chybné datum", CR LF and the text shown of the line (UTF-8).
std::string badStandardLineText(std::string_view win1250Text);

} // namespace qtr
