#include "calendar/standard_holidays.h"

#include "base/file_io.h"
#include "base/text_lines.h"
#include "base/win1250.h"

namespace qtr {
namespace {

// Two decimal digits as a number, or -1.
int twoDigits(std::string_view s) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!digit(s[0]) || !digit(s[1])) {
        return -1;
    }
    return (s[0] - '0') * 10 + (s[1] - '0');
}

} // namespace

std::uint16_t parseStandardDate(std::string_view line) {
    if (line.size() < 6 || line[2] != '.' || line[5] != '.') {
        return kInvalidStandardDate;
    }
    const int day = twoDigits(line.substr(0, 2));
    const int month = twoDigits(line.substr(3, 2));
    if (day < 1 || day > 31 || month < 1 || month > 12) {
        return kInvalidStandardDate;
    }
    return static_cast<std::uint16_t>(month * 256 + day);
}

std::string_view standardHolidayName(std::string_view win1250Line) {
    if (win1250Line.size() <= 6) {
        return {};
    }
    return win1250Line.substr(6, 40);
}

StandardHolidays readStandardHolidays(const std::filesystem::path& dir) {
    StandardHolidays list;
    const auto file = dir / kStandardHolidaysFile;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        return list;
    }
    std::vector<std::uint8_t> bytes;
    if (FileResult r = readWholeFile(file, bytes); !r) {
        list.readError = r.error();
        return list;
    }
    list.found = true;
    list.lines = splitWin1250Lines(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return list;
}

std::string standardFileMissingText(const StandardHolidays& list) {
    if (!list.readError.empty()) {
        return list.readError;
    }
    return std::string(kStandardHolidaysFile) + " - soubor nenalezen";
}

std::string badStandardLineText(std::string_view win1250Text) {
    return std::string(kStandardHolidaysFile) + " - chybné datum\r\n" + win1250ToUtf8(win1250Text);
}

} // namespace qtr
