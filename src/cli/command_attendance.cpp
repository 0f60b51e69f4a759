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
#include "base/file_io.h"
#include "base/hour_minute.h"
#include "base/key_number.h"
#include "base/win1250.h"
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

std::string dayText(DateTime d) {
    return formatDateTime("dd.mm.yyyy", d);
}

// What both commands load: the installation (for the units and the holder's name).
// False with the reason on stderr when the key holder is not registered.
bool loadHolder(CliContext& ctx, const KeyNumber& key, ConfigurationDatabase& db,
                std::string& name) {
    for (const auto& e : loadConfiguration(db, ctx.dir)) {
        *ctx.err << e << "\n";
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

// Every line of the card as the card grid shows it.
std::vector<std::string> cardLines(const AttendanceCard& card, const AttendanceCodeList& codes) {
    std::vector<std::string> lines;
    lines.push_back("Řádek Datum          Začátek       Konec         Doba   Druh        Poznámka");
    for (int i = 1; i <= card.lineCount(); ++i) {
        const CardLine& l = card.line(i);
        std::string row = padLeft(std::to_string(i), 5) + " " +
                          padRight(shiftDayText(l.shiftDay), 15) +
                          padRight(cardTimeText(l.start), 14) + padRight(cardTimeText(l.end), 14) +
                          padRight(cardDurationText(l.duration), 7) +
                          padRight(codes.codeName(l.code), 12) + l.note.text();
        row.erase(row.find_last_not_of(' ') + 1);
        lines.push_back(std::move(row));
    }
    return lines;
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
        "Docházková karta: " + name + " " + dayText(card.dateFrom) + " - " + dayText(card.dateTo),
        "Klíč: " + card.keyNumber.text(),
        usualStartText(card) + "  " + usualEndText(card) + "  " + fillMissingText(card),
        "Použito událostí: " + std::to_string(built.eventsUsed) + ", přidáno řádků: " +
            std::to_string(built.linesAdded) + ", řádků karty: " + std::to_string(card.lineCount()),
    };
    for (auto& l : cardLines(card, codes)) {
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

// The codes shown as columns: in the text, those with minutes in the period; in the
// table for spreadsheets every code of the list, so its columns stay the same.
std::vector<const AttendanceCodeRecord*> codeColumns(const AttendanceCodeList& codes,
                                                     const EvaluationResult& result, bool all) {
    std::vector<const AttendanceCodeRecord*> columns;
    for (int i = 1; i <= codes.count(); ++i) {
        if (all || result.totalCodeSums.find(codes.at(i).code) != 0) {
            columns.push_back(&codes.at(i));
        }
    }
    return columns;
}

std::string columnHeading(const AttendanceCodeRecord& code) {
    return code.column.heading.empty() ? code.name.text() : code.column.heading.text();
}

std::string clock(DateTime t) {
    return t == 0.0 ? "" : formatDateTime("hh:nn", t);
}

std::string dayTypeText(char type) {
    return type == ' ' ? "" : std::string(1, type);
}

// One value per column of the text: right-aligned to the column's width.
class TextRow {
public:
    explicit TextRow(std::string first) : text_(std::move(first)) {}
    TextRow& operator()(const std::string& value, std::size_t width) {
        text_ += " " + padLeft(value, width);
        return *this;
    }
    std::string text() const { return text_; }

private:
    std::string text_;
};

std::vector<std::string> evaluationText(const std::string& name, const AttendanceCard& card,
                                        const EvaluationResult& result,
                                        const AttendanceCodeList& codes) {
    const auto columns = codeColumns(codes, result, false);
    const auto width = [](const AttendanceCodeRecord* c) {
        return std::max<std::size_t>(7, utf8Length(columnHeading(*c)));
    };
    std::vector<std::string> lines = {
        "Vyhodnocení docházky: " + name + " (" + result.keyNumber.text() + ")",
        "Zpracování od - do: " + dayText(result.periodFrom) + " - " + dayText(result.periodTo),
        "Platná od - do: " + dayText(card.dateFrom) + " - " + dayText(card.dateTo),
        usualStartText(card) + "  " + usualEndText(card) + "  " + fillMissingText(card),
        result.planText.text(),
    };
    TextRow heading(padRight("Datum", 16));
    heading("Norma", 7)("Výkon", 7)("Saldo", 7)("Počátek", 7)("Konec", 7);
    for (const auto* c : columns) {
        heading(columnHeading(*c), width(c));
    }
    lines.push_back(heading.text() + "  Poznámka");
    for (DateTime d = result.periodFrom; d <= result.periodTo; d += 1.0) {
        const DaySummary& day = result.day(dayOfMonth(d));
        TextRow row(formatDateTime("dd.mm.yyyy ddd", d) + " " + day.dayType);
        row(hoursMinutesText(day.normMinutes), 7)(hoursMinutesText(day.performanceMinutes), 7)(
            hoursMinutesText(day.balanceMinutes), 7)(clock(day.firstStart), 7)(clock(day.lastEnd),
                                                                               7);
        for (const auto* c : columns) {
            row(hoursMinutesText(day.codeSums.get(c->code)), width(c));
        }
        std::string remarks = day.remark.text();
        if (!day.note.empty()) {
            remarks += (remarks.empty() ? "" : " ") + day.note.text();
        }
        lines.push_back(remarks.empty() ? row.text() : row.text() + "  " + remarks);
    }
    TextRow totals(padRight("CELKEM", 16));
    totals(hoursMinutesText(result.totalNormMinutes),
           7)(hoursMinutesText(result.totalPerformanceMinutes),
              7)(hoursMinutesText(result.totalBalanceMinutes), 7)("", 7)("", 7);
    for (const auto* c : columns) {
        totals(hoursMinutesText(result.totalCodeSums.get(c->code)), width(c));
    }
    lines.push_back(totals.text());
    return lines;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// The table for payroll spreadsheets: UTF-8 with a BOM, ";" between fields, CR LF.
std::string evaluationCsv(const EvaluationResult& result, const AttendanceCodeList& codes) {
    const auto columns = codeColumns(codes, result, true);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> header = {"Datum", "Den",   "Typ",     "Norma",
                                       "Výkon", "Saldo", "Počátek", "Konec"};
    for (const auto* c : columns) {
        header.push_back(columnHeading(*c));
    }
    header.push_back("Poznámka");
    header.push_back("Upozornění");
    rows.push_back(header);
    for (DateTime d = result.periodFrom; d <= result.periodTo; d += 1.0) {
        const DaySummary& day = result.day(dayOfMonth(d));
        std::vector<std::string> row = {dayText(d),
                                        formatDateTime("ddd", d),
                                        dayTypeText(day.dayType),
                                        hoursMinutesText(day.normMinutes),
                                        hoursMinutesText(day.performanceMinutes),
                                        hoursMinutesText(day.balanceMinutes),
                                        clock(day.firstStart),
                                        clock(day.lastEnd)};
        for (const auto* c : columns) {
            row.push_back(hoursMinutesText(day.codeSums.get(c->code)));
        }
        row.push_back(day.remark.text());
        row.push_back(day.note.text());
        rows.push_back(row);
    }
    std::vector<std::string> totals = {"CELKEM",
                                       "",
                                       "",
                                       hoursMinutesText(result.totalNormMinutes),
                                       hoursMinutesText(result.totalPerformanceMinutes),
                                       hoursMinutesText(result.totalBalanceMinutes),
                                       "",
                                       ""};
    for (const auto* c : columns) {
        totals.push_back(hoursMinutesText(result.totalCodeSums.get(c->code)));
    }
    totals.push_back("");
    totals.push_back("");
    rows.push_back(totals);

    std::string text = "\xEF\xBB\xBF";
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            text += (i > 0 ? ";" : "") + csvField(row[i]);
        }
        text += "\r\n";
    }
    return text;
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
        *ctx.err << "Období zpracování " << dayText(*o.from) << " - " << dayText(*o.to)
                 << " nezasahuje do platnosti karty " << dayText(card.dateFrom) << " - "
                 << dayText(card.dateTo) << ".\n";
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
    return emitLines(ctx, evaluationText(name, card, result, codes));
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
