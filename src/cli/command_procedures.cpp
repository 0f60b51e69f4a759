// qtr-cli stats, check, configure, collect, settime: the jobs an installation schedules,
// through the same procedures as the windows.

#include "base/clock.h"
#include "base/hex_text.h"
#include "base/win1250.h"
#include "cli/bus_access.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/table_file.h"
#include "db/configuration_database.h"
#include "db/data_files.h"
#include "docs/report_text.h"
#include "events/event_file.h"
#include "unitproc/data_collection.h"
#include "unitproc/full_configuration.h"
#include "unitproc/rights_compilation.h"
#include "unitproc/time_setting.h"
#include "unitproc/unit_clock_check.h"
#include "unitproc/unit_statistics.h"

#include <charconv>
#include <ostream>

namespace qtr::cli {
namespace {

// The log of a procedure: printed as it grows (a cron job's mail shows how far it got),
// or with --out kept for the file.
class CliLog final : public ProcedureSink {
public:
    explicit CliLog(CliContext& ctx) : ctx_(ctx) {}
    void addLine(const std::string& addition) override {
        for (auto& line : shownLines(addition)) {
            if (ctx_.outFile) {
                lines_.push_back(std::move(line));
            } else {
                *ctx_.out << line << "\n" << std::flush;
            }
        }
    }
    // Writes the --out file; the exit status when that fails, else `status`.
    int finish(int status) {
        if (!ctx_.outFile) {
            return status;
        }
        const int written = emitLines(ctx_, lines_);
        return written != kExitOk ? written : status;
    }

private:
    CliContext& ctx_;
    std::vector<std::string> lines_;
};

// The tables the unit procedures read, each loaded when its file is there.
bool loadTables(CliContext& ctx, ConfigurationDatabase& db) {
    return loadTableIfPresent(ctx, db.units, kUnitsFile) &&
           loadTableIfPresent(ctx, db.keyHolders, kKeyHoldersFile) &&
           loadTableIfPresent(ctx, db.groups, kGroupsFile) &&
           loadTableIfPresent(ctx, db.schedules, kSchedulesFile) &&
           loadTableIfPresent(ctx, db.permissionGroups, kPermissionGroupsFile);
}

bool noArguments(CliContext& ctx, std::string_view command) {
    if (!ctx.args.empty()) {
        *ctx.err << command << " nemá žádné parametry\n";
        return false;
    }
    return true;
}

} // namespace

int runStats(CliContext& ctx) {
    ConfigurationDatabase db;
    if (!noArguments(ctx, "stats")) {
        return kExitUsage;
    }
    if (!loadTables(ctx, db)) {
        return kExitFailure;
    }
    const StatisticsGrid grid = ShowStatistics(db);
    std::array<std::size_t, 5> width{};
    for (const auto& row : grid) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            width[c] = std::max(width[c], utf8Length(row[c]));
        }
    }
    std::vector<std::string> lines;
    for (const auto& row : grid) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            // Names to the left, numbers to the right.
            line += c == 0 ? padRight(row[c], width[c]) : "  " + padLeft(row[c], width[c]);
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return emitLines(ctx, lines);
}

int runCheck(CliContext& ctx) {
    ConfigurationDatabase db;
    if (!noArguments(ctx, "check")) {
        return kExitUsage;
    }
    if (!loadTables(ctx, db)) {
        return kExitFailure;
    }
    CompiledRights compiled;
    if (FileResult r = CreateRights(db, ctx.dir, true, nullptr, compiled); !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    std::vector<std::string> lines = compiled.findings;
    if (lines.empty()) {
        lines.emplace_back("Žádné chyby nezjištěny.");
    }
    return emitLines(ctx, lines);
}

int runConfigure(CliContext& ctx) {
    ConfigurationDatabase db;
    if (!noArguments(ctx, "configure")) {
        return kExitUsage;
    }
    if (!loadTables(ctx, db)) {
        return kExitFailure;
    }
    CompiledRights compiled;
    if (FileResult r = CreateRights(db, ctx.dir, false, nullptr, compiled); !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    // What is sent is what the file holds.
    std::vector<RightRecord> rights;
    if (compiled.compiled) {
        if (FileResult r = readRightsFile(ctx.dir / kRightsFile, rights); !r) {
            *ctx.err << r.error() << "\n";
            return kExitFailure;
        }
    }
    CliLog log(ctx);
    return withBus(ctx, [&](UnitTransaction& bus) {
        SystemClock clock;
        CollectionStore events(ctx.dir / kEventFile);
        const FullConfigurationResult r = UplneNastaveni(bus, db, rights, clock, events, log);
        log.addLine(fullConfigurationMessage(r.errorFlag));
        return log.finish(r.errorFlag ? kExitFailure : kExitOk);
    });
}

// Reads "--name N" options with whole numbers of at least `least`; false (with the usage
// line on standard error) for anything else.
bool readNumberOption(CliContext& ctx, std::size_t& i, int least, int& value) {
    const std::string& text = i + 1 < ctx.args.size() ? ctx.args[i + 1] : std::string();
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || v < least) {
        return false;
    }
    value = v;
    ++i;
    return true;
}

int runCollect(CliContext& ctx) {
    CollectionOptions options;
    options.maxTries = 3;
    bool setTime = false;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        int minutes = 0;
        if (a == "--tries" && readNumberOption(ctx, i, 1, options.maxTries)) {
            continue;
        }
        if (a == "--clock-tolerance" && readNumberOption(ctx, i, 0, minutes)) {
            options.clockToleranceSeconds = minutes * 60.0;
            continue;
        }
        if (a == "--settime") {
            setTime = true;
            continue;
        }
        *ctx.err << "collect: neznámý nebo neúplný parametr " << a
                 << " (--tries N: počet pokusů, nejméně 1; --clock-tolerance MINUTY; --settime)\n";
        return kExitUsage;
    }
    ConfigurationDatabase db;
    if (!loadTables(ctx, db)) {
        return kExitFailure;
    }
    SystemClock clock;
    options.clock = &clock;
    options.setDriftedClocks = setTime;
    CliLog log(ctx);
    return withBus(ctx, [&](UnitTransaction& bus) {
        CollectionStore store(ctx.dir / kEventFile);
        const CollectionResult r = SberDatVsechny(bus, db.units, store, log, options);
        if (!r.fileError.empty()) {
            *ctx.err << r.fileError << "\n";
            return log.finish(kExitFailure);
        }
        log.addLine(collectionSummary(r));
        for (const UnitClockNote& note : r.clockNotes) {
            log.addLine(clockNoteLine(note));
        }
        return log.finish(r.unitsGivenUp > 0 ? kExitFailure : kExitOk);
    });
}

int runClocks(CliContext& ctx) {
    double tolerance = kDefaultClockToleranceSeconds;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        int minutes = 0;
        if (ctx.args[i] == "--clock-tolerance" && readNumberOption(ctx, i, 0, minutes)) {
            tolerance = minutes * 60.0;
            continue;
        }
        *ctx.err << "clocks: neznámý nebo neúplný parametr " << ctx.args[i]
                 << " (--clock-tolerance MINUTY)\n";
        return kExitUsage;
    }
    ConfigurationDatabase db;
    if (!loadTables(ctx, db)) {
        return kExitFailure;
    }
    CliLog log(ctx);
    return withBus(ctx, [&](UnitTransaction& bus) {
        SystemClock clock;
        bool allRight = true;
        for (const ControlUnitRecord& u : db.units.records()) {
            const std::string head = hexByteText(u.address) + " " + u.unitName.text();
            const DateTime pcBeforeRequest = clock.now();
            if (!bus.CteniStavuJednotky(u.address)) {
                allRight = false;
                log.addLine(head + " - " + bus.errorText);
                continue;
            }
            const auto unitTime = unitClockOf(bus.unitStatus);
            if (!unitTime) {
                allRight = false;
                log.addLine(head + " - neplatný čas jednotky");
                continue;
            }
            const long long diff = unitClockDifference(*unitTime, pcBeforeRequest);
            const bool beyond = static_cast<double>(diff < 0 ? -diff : diff) > tolerance;
            allRight = allRight && !beyond;
            log.addLine(head + " " + formatDateTime("dd.mm.yyyy hh:nn:ss", *unitTime) + " " +
                        signedDurationText(diff) + (beyond ? " !" : ""));
        }
        return log.finish(allRight ? kExitOk : kExitFailure);
    });
}

int runSetTime(CliContext& ctx) {
    ConfigurationDatabase db;
    if (!noArguments(ctx, "settime")) {
        return kExitUsage;
    }
    if (!loadTables(ctx, db)) {
        return kExitFailure;
    }
    CliLog log(ctx);
    return withBus(ctx, [&](UnitTransaction& bus) {
        SystemClock clock;
        log.addLine(timeSettingHeader(clock.now()));
        const TimeSettingResult r = NastavCasVsechny(bus, db.units, clock, log);
        return log.finish(r.ran && !r.allUnitsSet ? kExitFailure : kExitOk);
    });
}

} // namespace qtr::cli
