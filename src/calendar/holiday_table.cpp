#include "calendar/holiday_table.h"

#include "calendar/calendar_arithmetic.h"

#include <algorithm>
#include <cmath>

namespace qtr {

std::string HolidayStore::message() const {
    switch (outcome) {
    case Outcome::Duplicate:
        return "Duplicitní datum svátku - ignorováno\r\n" + existingName;
    case Outcome::Full:
        return kCalendarFullText;
    case Outcome::Stored:
        break;
    }
    return {};
}

int HolidayTable::findByDate(DateTime date) const {
    return findFirst([date](const HolidayRecord& h) { return h.holidayDate == date; });
}

bool HolidayTable::IsHoliday(DateTime date) {
    return get(findByDate(date));
}

HolidayStore HolidayTable::TryStore(const HolidayRecord& holiday) {
    if (const int i = findByDate(holiday.holidayDate); i != 0) {
        return {HolidayStore::Outcome::Duplicate, at(i).holidayName.text()};
    }
    if (isFull()) {
        return {HolidayStore::Outcome::Full, {}};
    }
    current_ = holiday;
    append();
    return {};
}

std::vector<HolidayRecord> HolidayTable::holidaysOfYear(int year) const {
    std::vector<HolidayRecord> out;
    for (const auto& h : records_) {
        if (yearOfDate(h.holidayDate) == year) {
            out.push_back(h);
        }
    }
    return out;
}

int HolidayTable::deleteYear(int year) {
    const auto removed = std::erase_if(
        records_, [year](const HolidayRecord& h) { return yearOfDate(h.holidayDate) == year; });
    if (!first()) {
        pos_ = 0;
        clearCurrent();
    }
    return static_cast<int>(removed);
}

void HolidayTable::sortByDate() {
    // A date a damaged file made NaN sorts first, so that the order stays a strict one.
    sortBy([](const HolidayRecord& a, const HolidayRecord& b) {
        const bool aNaN = std::isnan(a.holidayDate);
        const bool bNaN = std::isnan(b.holidayDate);
        if (aNaN || bNaN) {
            return aNaN && !bNaN;
        }
        return a.holidayDate < b.holidayDate;
    });
}

FileResult loadHolidayTable(HolidayTable& table, const std::filesystem::path& dir) {
    const auto file = dir / kHolidaysFile;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        table.clear();
        return FileResult::success();
    }
    return table.load(file);
}

FileResult saveHolidayTable(const HolidayTable& table, const std::filesystem::path& dir) {
    return table.save(dir / kHolidaysFile);
}

} // namespace qtr
