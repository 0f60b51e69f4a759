#include "base/clock.h"
#include "base/date_time.h"
#include "base/file_io.h"
#include "base/hex_text.h"
#include "base/key_number.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "db/configuration_database.h"
#include "events/event_csv.h"
#include "events/event_decoder.h"
#include "events/event_file.h"
#include "events/event_listing.h"
#include "events/event_load_note.h"
#include "events/event_table.h"
#include "events/protocol_log.h"

#include <optional>
#include <ostream>

namespace qtr::cli {
namespace {

constexpr const char* kListUsage =
    "Použití: events list [--sort 0..6] [--key KLÍČ | --unit ADRESA | --from \"dd.mm.yyyy "
    "hh:nn:ss\" --to \"dd.mm.yyyy hh:nn:ss\" | --attendance] [--csv]";

enum class Filter { None, Key, Unit, Period, Attendance };

struct ListOptions {
    SortKind sort = SortKind::TimeThenKey;
    Filter filter = Filter::None;
    KeyNumber key;
    std::uint8_t unit = 0;
    std::optional<DateTime> from;
    std::optional<DateTime> to;
    bool csv = false; // one line per event for a spreadsheet instead of the listing
};

// Reads the options of "events list"; a Czech text in `problem` when they are wrong.
bool parseListOptions(const std::vector<std::string>& args, ListOptions& o, std::string& problem) {
    const auto chooseFilter = [&](Filter f) {
        if (o.filter != Filter::None && o.filter != f) {
            problem = "Lze použít jen jeden výběr událostí.";
            return false;
        }
        o.filter = f;
        return true;
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--csv") {
            o.csv = true;
            continue;
        }
        if (a == "--attendance") {
            if (!chooseFilter(Filter::Attendance)) {
                return false;
            }
            continue;
        }
        if (!hasValue ||
            !(a == "--sort" || a == "--key" || a == "--unit" || a == "--from" || a == "--to")) {
            problem = "Neznámý nebo neúplný parametr: " + a;
            return false;
        }
        const std::string& v = args[++i];
        if (a == "--sort") {
            if (v.size() != 1 || v[0] < '0' || v[0] > '6') {
                problem = "Řazení musí být číslo 0 až 6: " + v;
                return false;
            }
            o.sort = static_cast<SortKind>(v[0] - '0');
        } else if (a == "--key") {
            if (!isWellFormedKeyText(v)) {
                problem = "Klíč musí být 1 až 14 šestnáctkových číslic: " + v;
                return false;
            }
            if (!chooseFilter(Filter::Key)) {
                return false;
            }
            o.key = KeyNumber::parse(v);
        } else if (a == "--unit") {
            if (v.empty() || v.size() > 2 || !isHexText(v)) {
                problem = "Adresa jednotky musí být 1 až 2 šestnáctkové číslice: " + v;
                return false;
            }
            if (!chooseFilter(Filter::Unit)) {
                return false;
            }
            o.unit = parseHexByte(v);
        } else {
            DateTime t = 0.0;
            if (!parseDateTime(v, t)) {
                problem = "Chybné datum a čas (dd.mm.yyyy hh:nn:ss): " + v;
                return false;
            }
            if (!chooseFilter(Filter::Period)) {
                return false;
            }
            (a == "--from" ? o.from : o.to) = t;
        }
    }
    if (o.filter == Filter::Period && (!o.from || !o.to)) {
        problem = "Výběr podle data potřebuje --from i --to.";
        return false;
    }
    return true;
}

int listEvents(CliContext& ctx) {
    ListOptions o;
    std::string problem;
    if (!parseListOptions(ctx.args, o, problem)) {
        *ctx.err << problem << "\n" << kListUsage << "\n";
        return kExitUsage;
    }
    const auto eventFile = ctx.dir / kEventFile;
    if (!isPresent(eventFile)) {
        *ctx.err << "Soubor událostí " << kEventFile << " neexistuje.\n";
        return kExitFailure;
    }
    ConfigurationDatabase db;
    // Texts of units and holders that failed to load decode as unknown; say why.
    const auto configErrors = loadConfiguration(db, ctx.dir);
    for (const auto& e : configErrors) {
        *ctx.err << e << "\n";
    }

    EventTable table;
    const EventLoadResult loaded = table.load(eventFile);
    if (const std::string note = eventLoadNote(loaded, table.count(), kEventFile); !note.empty()) {
        *ctx.err << note << "\n";
    }
    if (!loaded.file) {
        return kExitFailure;
    }

    switch (o.filter) {
    case Filter::None:
        break;
    case Filter::Key:
        table.keepKey(o.key);
        break;
    case Filter::Unit:
        table.keepUnit(o.unit);
        break;
    case Filter::Period:
        table.keepPeriod(*o.from, *o.to);
        break;
    case Filter::Attendance:
        table.keepAttendance(db.units);
        break;
    }
    table.sort(o.sort);

    const EventDecoder decoder(db);
    if (o.csv) {
        // Spreadsheets take UTF-8 with its mark; a file gets the line ends they expect.
        const auto lines = eventCsvLines(table, decoder);
        if (ctx.outFile) {
            if (auto r = writeFileAtomically(*ctx.outFile, eventCsvText(lines, "\r\n")); !r) {
                *ctx.err << r.error() << "\n";
                return kExitFailure;
            }
        } else {
            *ctx.out << eventCsvText(lines, "\n");
        }
    } else if (const int status = emitLines(ctx, eventListingLines(table, decoder));
               status != kExitOk) {
        return status;
    }
    return configErrors.empty() ? kExitOk : kExitFailure;
}

} // namespace

int runEvents(CliContext& ctx) {
    const std::string sub = ctx.args.empty() ? "" : ctx.args[0];
    if (sub == "list") {
        return listEvents(ctx);
    }
    if (sub == "export" || sub == "import" || sub == "trim" || sub == "clear" || sub == "merge") {
        return runEventFile(ctx);
    }
    if (sub == "count" && ctx.args.size() == 1) {
        *ctx.out << countStoredEvents(ctx.dir / kEventFile) << "\n";
        return kExitOk;
    }
    *ctx.err << kListUsage << "\n       events count\n" << kEventFileUsage << "\n";
    return kExitUsage;
}

int runLog(CliContext& ctx) {
    const SystemClock clock;
    const ProtocolLog log(ctx.dir / kProtocolLogFile, clock);
    if (ctx.args.size() == 1 && ctx.args[0] == "--clear") {
        if (auto r = log.clear(); !r) {
            *ctx.err << r.error() << "\n";
            return kExitFailure;
        }
        return kExitOk;
    }
    if (!ctx.args.empty()) {
        *ctx.err << "Použití: log [--clear]\n";
        return kExitUsage;
    }
    std::vector<std::string> lines;
    if (auto r = log.read(lines); !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    return emitLines(ctx, lines);
}

} // namespace qtr::cli
