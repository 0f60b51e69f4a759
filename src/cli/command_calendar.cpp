#include "calendar/calendar_arithmetic.h"
#include "calendar/calendar_reports.h"
#include "calendar/holiday_calendar.h"
#include "calendar/standard_fill.h"
#include "cli/cli_output.h"
#include "cli/commands.h"

#include <charconv>
#include <ostream>

namespace qtr::cli {
namespace {

constexpr const char* kHolidaysUsage =
    "použití: holidays [list] | holidays standard ROK | holidays delete-year ROK";
constexpr const char* kCalendarUsage = "použití: calendar ROK";
constexpr const char* kPlanningUsage =
    "použití: planning ROK [--quarters] [--months] [--weeks] [--decades]";

// A year the calendars work with, or 0.
int yearArgument(const std::string& text) {
    int year = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
    if (ec != std::errc{} || end != text.data() + text.size() || year < kFirstCalendarYear ||
        year > kLastCalendarYear) {
        return 0;
    }
    return year;
}

int usage(CliContext& ctx, const char* text) {
    *ctx.err << text << "\n"
             << "(rok " << kFirstCalendarYear << " až " << kLastCalendarYear << ")\n";
    return kExitUsage;
}

// The operator's messages on one line each: the window's line break becomes ": ".
void report(CliContext& ctx, const std::vector<std::string>& messages) {
    for (std::string m : messages) {
        for (std::size_t at; (at = m.find("\r\n")) != std::string::npos;) {
            m.replace(at, 2, ": ");
        }
        *ctx.err << m << "\n";
    }
}

// False (with the reason on stderr) when QTR0006.DAT exists but cannot be loaded,
// so that nothing is written over it.
bool loadHolidays(CliContext& ctx, HolidayTable& table) {
    if (FileResult r = loadHolidayTable(table, ctx.dir); !r) {
        *ctx.err << r.error() << "\n";
        return false;
    }
    return true;
}

int holidaysStandard(CliContext& ctx, int year) {
    HolidayTable table;
    if (!loadHolidays(ctx, table)) {
        return kExitFailure;
    }
    const StandardFill fill =
        fillYearFromStandard(table, year, readStandardHolidays(ctx.dir), ctx.dir);
    report(ctx, fill.messages);
    if (fill.outcome != StandardFill::Outcome::Done) {
        return kExitFailure;
    }
    *ctx.out << "přidáno svátků: " << fill.added << ", svátků celkem: " << table.count() << "\n";
    return kExitOk;
}

int holidaysDeleteYear(CliContext& ctx, int year) {
    HolidayTable table;
    if (!loadHolidays(ctx, table)) {
        return kExitFailure;
    }
    const int deleted = table.deleteYear(year);
    if (FileResult r = saveHolidayTable(table, ctx.dir); !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    *ctx.out << "smazáno svátků: " << deleted << ", svátků celkem: " << table.count() << "\n";
    return kExitOk;
}

} // namespace

// The holiday calendar without its window: the listing, "Standard " and "Smazat rok".
int runHolidays(CliContext& ctx) {
    const auto& a = ctx.args;
    if (a.empty() || (a.size() == 1 && a[0] == "list")) {
        HolidayTable table;
        if (!loadHolidays(ctx, table)) {
            return kExitFailure;
        }
        return emitLines(ctx, holidayListingLines(table));
    }
    const int year = a.size() == 2 ? yearArgument(a[1]) : 0;
    if (year != 0 && a[0] == "standard") {
        return holidaysStandard(ctx, year);
    }
    if (year != 0 && a[0] == "delete-year") {
        return holidaysDeleteYear(ctx, year);
    }
    return usage(ctx, kHolidaysUsage);
}

// The yearly calendar of "roční kalendář", from SVATKY.INI.
int runCalendar(CliContext& ctx) {
    const int year = ctx.args.size() == 1 ? yearArgument(ctx.args[0]) : 0;
    if (year == 0) {
        return usage(ctx, kCalendarUsage);
    }
    const StandardHolidays list = readStandardHolidays(ctx.dir);
    DayTypeTable dayTypes;
    std::vector<std::string> messages;
    BuildDayTypes(dayTypes, year, list, messages);
    report(ctx, messages);
    const int written = emitLines(ctx, yearlyCalendarLines(dayTypes));
    // Without the list the calendar shows the weekends only: printed, but not a success.
    return written == kExitOk && !list.found ? kExitFailure : written;
}

// The planning calendar's print, from the holiday table; without section options
// the window's default sections (quarters, months, weeks).
int runPlanning(CliContext& ctx) {
    const int year = ctx.args.empty() ? 0 : yearArgument(ctx.args[0]);
    if (year == 0) {
        return usage(ctx, kPlanningUsage);
    }
    PlanningSections sections;
    if (ctx.args.size() > 1) {
        sections = {false, false, false, false};
    }
    for (std::size_t i = 1; i < ctx.args.size(); ++i) {
        const std::string& s = ctx.args[i];
        bool* flag = s == "--quarters"  ? &sections.quarters
                     : s == "--months"  ? &sections.months
                     : s == "--weeks"   ? &sections.weeks
                     : s == "--decades" ? &sections.decades
                                        : nullptr;
        if (flag == nullptr) {
            return usage(ctx, kPlanningUsage);
        }
        *flag = true;
    }
    HolidayCalendar calendar;
    if (!loadHolidays(ctx, calendar.holidays)) {
        return kExitFailure;
    }
    ComputePlanning(calendar.planning, calendar.dayTypes, year, calendar.holidays);
    return emitLines(ctx, planningPrintLines(planningTitle(calendar.planning),
                                             planningRows(calendar.planning, sections)));
}

} // namespace qtr::cli
