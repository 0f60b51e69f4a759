// qtr-cli attendance build | evaluate: the card of one key holder built from the stored
// events and saved in the card register, and its evaluation over a processing period.

#include "attendance/attendance_data.h"
#include "attendance/attendance_files.h"
#include "attendance/attendance_time.h"
#include "attendance/card_building.h"
#include "attendance/card_checks.h"
#include "attendance/card_register.h"
#include "attendance/card_text.h"
#include "attendance/evaluation.h"
#include "attendance/evaluation_export.h"
#include "base/file_io.h"
#include "base/hour_minute.h"
#include "base/key_number.h"
#include "calendar/holiday_table.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "db/configuration_database.h"
#include "db/data_files.h"
#include "events/event_file.h"
#include "events/event_table.h"

#include <optional>
#include <ostream>
#include <system_error>

namespace qtr::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBuildUsage =
    "Použití: attendance build --key KLÍČ --from dd.mm.yyyy --to dd.mm.yyyy "
    "[--usual HH:MM-HH:MM] [--fill | --no-fill] [--new]";
constexpr const char* kEvaluateUsage =
    "Použití: attendance evaluate --key KLÍČ --from dd.mm.yyyy --to dd.mm.yyyy [--csv]";
constexpr const char* kCardFaults = "Chyby v docházkové kartě!";

struct Options {
    std::optional<KeyNumber> key;
    std::optional<DateTime> from;
    std::optional<DateTime> to;
    std::optional<std::pair<HourMinute, HourMinute>> usual;
    std::optional<bool> fill;
    bool fresh = false;
    bool csv = false;
};

bool parseDay(const std::string& text, std::optional<DateTime>& day) {
    DateTime d = 0;
    if (text.size() != 10 || !parseDateTime(text, d)) {
        return false;
    }
    day = d;
    return true;
}

// The options of "attendance build" (or "evaluate"); a Czech text in `problem` when wrong.
bool parseOptions(const std::vector<std::string>& args, bool build, Options& o,
                  std::string& problem) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (build && (a == "--fill" || a == "--no-fill")) {
            o.fill = a == "--fill";
            continue;
        }
        if (build && a == "--new") {
            o.fresh = true;
            continue;
        }
        if (!build && a == "--csv") {
            o.csv = true;
            continue;
        }
        const bool takesValue =
            a == "--key" || a == "--from" || a == "--to" || (build && a == "--usual");
        if (!takesValue || i + 1 >= args.size()) {
            problem = "Neznámý nebo neúplný parametr: " + a;
            return false;
        }
        const std::string& v = args[++i];
        if (a == "--key") {
            if (!isWellFormedKeyText(v) || KeyNumber::parse(v).isZero()) {
                problem = "Klíč musí být 1 až 14 šestnáctkových číslic a nesmí být nulový: " + v;
                return false;
            }
            o.key = KeyNumber::parse(v);
        } else if (a == "--usual") {
            const auto dash = v.find('-');
            const HourMinute start = parseHourMinute(v.substr(0, dash));
            const HourMinute end = dash == std::string::npos ? kInvalidHourMinute
                                                             : parseHourMinute(v.substr(dash + 1));
            if (start == kInvalidHourMinute || end == kInvalidHourMinute) {
                problem = "Obvyklá směna musí být HH:MM-HH:MM: " + v;
                return false;
            }
            o.usual = {start, end};
        } else if (!parseDay(v, a == "--from" ? o.from : o.to)) {
            problem = "Chybné datum (dd.mm.yyyy): " + v;
            return false;
        }
    }
    if (!o.key || !o.from || !o.to) {
        problem = "Chybí --key, --from nebo --to.";
        return false;
    }
    return true;
}

// What both commands load: the installation (for the units and the holder's name).
// False with the reason on stderr when a file of it could not be loaded (a card built
// without the bookings of units lost from a damaged unit file would never get them) or
// the key holder is not registered.
bool loadHolder(CliContext& ctx, const KeyNumber& key, ConfigurationDatabase& db,
                std::string& name) {
    const auto errors = loadConfiguration(db, ctx.dir);
    for (const auto& e : errors) {
        *ctx.err << e << "\n";
    }
    if (!errors.empty()) {
        return false;
    }
    if (db.keyHolders.findByKey(key) == 0) {
        *ctx.err << "Klíč " << key.text() << " nepatří žádnému nositeli klíče (" << kKeyHoldersFile
                 << ").\n";
        return false;
    }
    name = db.keyHolders.nameOfKey(key);
    return true;
}

// The attendance bookings of the event file, as the card windows have them.
bool loadAttendanceEvents(CliContext& ctx, const ConfigurationDatabase& db, EventTable& table) {
    const fs::path file = ctx.dir / kEventFile;
    std::error_code ec;
    if (fs::exists(file, ec)) {
        const EventLoadResult loaded = table.load(file);
        if (!loaded.file) {
            *ctx.err << loaded.file.error() << "\n";
            return false;
        }
        if (loaded.partialBytes != 0) {
            *ctx.err << "Soubor " << kEventFile << " končí neúplným záznamem ("
                     << loaded.partialBytes << " B), který nebyl načten.\n";
        }
        if (loaded.recordsInFile > static_cast<std::uint64_t>(table.count())) {
            *ctx.err << "Soubor " << kEventFile << " obsahuje " << loaded.recordsInFile
                     << " událostí, načteno je prvních " << table.count() << ".\n";
        }
    }
    table.sort(SortKind::TimeThenKey);
    table.keepAttendance(db.units);
    if (table.count() == 0) {
        *ctx.err << "Chybí originální události docházky!\n";
        return false;
    }
    return true;
}

// The lines whose check left a fault ("#...") in their note.
void reportFaultyLines(CliContext& ctx, const AttendanceCard& card) {
    *ctx.err << kCardFaults << "\n";
    for (int i = 1; i <= card.lineCount(); ++i) {
        const std::string note = card.line(i).note.text();
        if (note.starts_with("#")) {
            *ctx.err << "řádek " << i << ": " << note << "\n";
        }
    }
}

int attendanceBuild(CliContext& ctx) {
    Options o;
    std::string problem;
    if (!parseOptions(ctx.args, true, o, problem)) {
        *ctx.err << problem << "\n" << kBuildUsage << "\n";
        return kExitUsage;
    }
    if (!intervalValid(*o.from, *o.to)) {
        *ctx.err << "Nevhodný časový interval!\n";
        return kExitUsage;
    }
    ConfigurationDatabase db;
    std::string name;
    EventTable events;
    if (!loadHolder(ctx, *o.key, db, name) || !loadAttendanceEvents(ctx, db, events)) {
        return kExitFailure;
    }
    AttendanceCodeList codes;
    if (FileResult r = loadCodeList(ctx.dir / kCodeListFile, codes); !r) {
        *ctx.err << r.error() << "\n";
    }
    CardRegister reg;
    if (FileResult r = reg.open(ctx.dir / kCardRegisterFile); !r) {
        *ctx.err << r.error() << "\n";
        if (!reg.isOpen()) {
            return kExitFailure;
        }
    }

    AttendanceCard card;
    if (reg.find(*o.key)) {
        card = reg.found();
    } else if (!reg.fileError().empty()) {
        *ctx.err << reg.fileError() << "\n";
        return kExitFailure;
    } else {
        card.applyPattern(ShiftPattern::Morning);
        card.keyNumber = *o.key;
    }
    if (o.fresh) {
        card.removeAllLines();
        card.planFlag = 0;
    }
    card.dateFrom = dayOf(*o.from);
    card.dateTo = dayOf(*o.to);
    if (o.usual) {
        card.usualStart = encodeTime(hourOf(o.usual->first), minuteOf(o.usual->first), 0);
        card.usualEnd = encodeTime(hourOf(o.usual->second), minuteOf(o.usual->second), 0);
    }
    if (o.fill) {
        card.fillMissing = *o.fill ? 1 : 0;
    }

    const EventBuildResult built = buildFromEvents(card, events);
    const bool checked = checkCard(card);
    if (FileResult r = reg.save(card); !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }

    std::vector<std::string> lines = {
        "Docházková karta: " + name + " " + cardDateText(card.dateFrom) + " - " +
            cardDateText(card.dateTo),
        "Klíč: " + card.keyNumber.text(),
        usualStartText(card) + "  " + usualEndText(card) + "  " + fillMissingText(card),
        "Použito událostí: " + std::to_string(built.eventsUsed) + ", přidáno řádků: " +
            std::to_string(built.linesAdded) + ", řádků karty: " + std::to_string(card.lineCount()),
    };
    for (auto& l : cardListing(card, codes)) {
        lines.push_back(std::move(l));
    }
    lines.push_back(checked ? "Kontrola: karta je formálně správná."
                            : "Kontrola: karta obsahuje chyby (viz Poznámka).");
    const int status = emitLines(ctx, lines);
    if (built.cardFull) {
        *ctx.err << "Karta je plná (" << AttendanceCard::kLineCapacity
                 << " řádků): pozdější události nebyly zpracovány.\n";
        return kExitFailure;
    }
    return status;
}

int attendanceEvaluate(CliContext& ctx) {
    Options o;
    std::string problem;
    if (!parseOptions(ctx.args, false, o, problem)) {
        *ctx.err << problem << "\n" << kEvaluateUsage << "\n";
        return kExitUsage;
    }
    if (!intervalValid(*o.from, *o.to)) {
        *ctx.err << "Nevhodný interval zpracování!\n";
        return kExitUsage;
    }
    ConfigurationDatabase db;
    std::string name;
    if (!loadHolder(ctx, *o.key, db, name)) {
        return kExitFailure;
    }
    AttendanceCodeList codes;
    if (FileResult r = loadCodeList(ctx.dir / kCodeListFile, codes); !r) {
        *ctx.err << r.error() << "\n";
    }
    const fs::path registerFile = ctx.dir / kCardRegisterFile;
    std::error_code ec;
    CardRegister reg;
    if (!fs::exists(registerFile, ec)) {
        *ctx.err << "Registr karet " << kCardRegisterFile << " neexistuje.\n";
        return kExitFailure;
    }
    if (FileResult r = reg.open(registerFile); !r) {
        *ctx.err << r.error() << "\n";
        if (!reg.isOpen()) {
            return kExitFailure;
        }
    }
    if (!reg.find(*o.key)) {
        *ctx.err << (reg.fileError().empty() ? "Karta klíče " + o.key->text() + " v registru " +
                                                   kCardRegisterFile + " není."
                                             : reg.fileError())
                 << "\n";
        return kExitFailure;
    }
    AttendanceCard card = reg.found();
    if (!intervalsOverlap(card.dateFrom, card.dateTo, *o.from, *o.to)) {
        *ctx.err << "Období zpracování " << cardDateText(*o.from) << " - " << cardDateText(*o.to)
                 << " nezasahuje do platnosti karty " << cardDateText(card.dateFrom) << " - "
                 << cardDateText(card.dateTo) << ".\n";
        return kExitFailure;
    }
    HolidayTable holidays;
    if (FileResult r = loadHolidayTable(holidays, ctx.dir); !r) {
        // The days of a damaged table would count as working days: no evaluation on it.
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    EvaluationResult result;
    if (!checkCard(card) ||
        !evaluationGate(card, codes, holidayQuery(holidays), *o.from, *o.to, result)) {
        reportFaultyLines(ctx, card);
        return kExitFailure;
    }
    if (o.csv) {
        const std::string csv = evaluationCsv(result, codes);
        if (ctx.outFile) {
            if (FileResult r = writeFileAtomically(*ctx.outFile, csv); !r) {
                *ctx.err << r.error() << "\n";
                return kExitFailure;
            }
            return kExitOk;
        }
        *ctx.out << csv;
        return kExitOk;
    }
    return emitLines(ctx, evaluationTextLines(name, card, result, codes));
}

} // namespace

int runAttendance(CliContext& ctx) {
    const std::string sub = ctx.args.empty() ? "" : ctx.args[0];
    if (sub == "build") {
        return attendanceBuild(ctx);
    }
    if (sub == "evaluate") {
        return attendanceEvaluate(ctx);
    }
    *ctx.err << kBuildUsage << "\n" << kEvaluateUsage << "\n";
    return kExitUsage;
}

} // namespace qtr::cli
