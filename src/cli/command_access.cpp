#include "access/permission_entries.h"
#include "access/schedule_editing.h"
#include "access/segment_text.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "db/data_files.h"
#include "db/tables.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace qtr::cli {
namespace {

// A table as the program keeps it: empty when its file does not exist yet; false
// (with the reason on stderr) when the file cannot be read whole.
template <typename Table> bool loadTable(CliContext& ctx, const char* fileName, Table& table) {
    const std::filesystem::path file = ctx.dir / fileName;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        return true;
    }
    if (FileResult r = table.load(file); !r) {
        *ctx.err << r.error() << "\n";
        return false;
    }
    return true;
}

bool noArguments(CliContext& ctx, const char* usage) {
    if (!ctx.args.empty()) {
        *ctx.err << "použití: " << usage << "\n";
        return false;
    }
    return true;
}

} // namespace

// Every schedule in table order: its name, then its segments as the editor shows
// them, each on its own line indented by two blanks.
int runSchedules(CliContext& ctx) {
    if (!noArguments(ctx, "schedules")) {
        return kExitUsage;
    }
    AccessScheduleTable schedules;
    if (!loadTable(ctx, kSchedulesFile, schedules)) {
        return kExitFailure;
    }
    std::vector<std::string> lines;
    for (const AccessScheduleRecord& s : schedules.records()) {
        lines.push_back(s.scheduleName.text());
        for (int k = 0; k < usedSegments(s); ++k) {
            lines.push_back("  " + segmentText(s.segments[static_cast<std::size_t>(k)]));
        }
    }
    return emitLines(ctx, lines);
}

// Every permission group in table order: its name, then one line per entry with
// its unit, where ("Kam:") and when ("Kdy:") its keys pass, indented by two blanks.
int runPermissions(CliContext& ctx) {
    if (!noArguments(ctx, "permissions")) {
        return kExitUsage;
    }
    PermissionGroupTable groups;
    ControlUnitTable units;
    if (!loadTable(ctx, kPermissionGroupsFile, groups) || !loadTable(ctx, kUnitsFile, units)) {
        return kExitFailure;
    }
    std::vector<std::string> lines;
    for (const PermissionGroupRecord& g : groups.records()) {
        lines.push_back(g.name.text());
        for (int k = 0; k < usedEntries(g); ++k) {
            const PermissionEntry& e = g.entries[static_cast<std::size_t>(k)];
            const int u = units.findByAddress(e.unitAddress);
            lines.push_back("  " + entryTabText(units, e.unitAddress) + "  Kam: " +
                            entryAttributeText(u == 0 ? nullptr : &units.at(u), e.entryAttributes) +
                            "  Kdy: " + e.scheduleName.text());
        }
    }
    return emitLines(ctx, lines);
}

} // namespace qtr::cli
