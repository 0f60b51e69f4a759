// qtr-cli attendance build | evaluate | report | card, and codes: the card of one key
// holder built from the stored events and saved in the card register, its evaluation
// over a processing period, the printed report of one or every booked holder, the
// card printout and the printed code list.

#include "attendance/attendance_data.h"
#include "attendance/attendance_events.h"
#include "attendance/attendance_files.h"
#include "attendance/attendance_time.h"
#include "attendance/card_building.h"
#include "attendance/card_checks.h"
#include "attendance/card_register.h"
#include "attendance/card_text.h"
#include "attendance/evaluation.h"
#include "attendance/evaluation_export.h"
#include "attendance/report_texts.h"
#include "base/clock.h"
#include "base/file_io.h"
#include "base/hour_minute.h"
#include "base/key_number.h"
#include "calendar/holiday_table.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "db/configuration_database.h"
#include "db/data_files.h"
#include "docs/report_text.h"
#include "events/event_table.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <system_error>

namespace qtr::cli {
namespace {

namespace fs = std::filesystem;

enum class Command { Build, Evaluate, Report, Card };

constexpr const char* kBuildUsage =
    "Použití: attendance build --key KLÍČ --from dd.mm.yyyy --to dd.mm.yyyy "
    "[--usual HH:MM-HH:MM] [--fill | --no-fill] [--new]";
constexpr const char* kEvaluateUsage =
    "Použití: attendance evaluate --key KLÍČ --from dd.mm.yyyy --to dd.mm.yyyy [--csv]";
constexpr const char* kReportUsage =
    "Použití: attendance report --key KLÍČ | --all --from dd.mm.yyyy --to dd.mm.yyyy";
constexpr const char* kCardUsage = "Použití: attendance card --key KLÍČ";
constexpr const char* kCardFaults = "Chyby v docházkové kartě!";

const char* usageOf(Command c) {
    switch (c) {
    case Command::Build:
        return kBuildUsage;
    case Command::Evaluate:
        return kEvaluateUsage;
    case Command::Report:
        return kReportUsage;
    case Command::Card:
        return kCardUsage;
    }
    return kBuildUsage;
}

struct Options {
    std::optional<KeyNumber> key;
    std::optional<DateTime> from;
    std::optional<DateTime> to;
    std::optional<std::pair<HourMinute, HourMinute>> usual;
    std::optional<bool> fill;
    bool fresh = false;
    bool csv = false;
    bool all = false;
};

bool parseDay(const std::string& text, std::optional<DateTime>& day) {
    DateTime d = 0;
    if (text.size() != 10 || !parseDateTime(text, d)) {
        return false;
    }
    day = d;
    return true;
}

// The options of an attendance command; a Czech text in `problem` when wrong.
bool parseOptions(const std::vector<std::string>& args, Command command, Options& o,
                  std::string& problem) {
    const bool build = command == Command::Build;
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
        if (command == Command::Evaluate && a == "--csv") {
            o.csv = true;
            continue;
        }
        if (command == Command::Report && a == "--all") {
            o.all = true;
            continue;
        }
        const bool takesValue = a == "--key" ||
                                ((a == "--from" || a == "--to") && command != Command::Card) ||
                                (build && a == "--usual");
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
    if (command == Command::Card) {
        if (!o.key) {
            problem = "Chybí --key.";
            return false;
        }
        return true;
    }
    if (command == Command::Report && o.all == o.key.has_value()) {
        problem = "Zadejte buď --key, nebo --all.";
        return false;
    }
    if ((!o.key && !o.all) || !o.from || !o.to) {
        problem = "Chybí --key, --from nebo --to.";
        return false;
    }
    return true;
}

// The installation (for the units and the holders' names); false with the reason on
// stderr when a file of it could not be loaded: a card built without the bookings of
// units lost from a damaged unit file would never get them.
bool loadInstallation(CliContext& ctx, ConfigurationDatabase& db) {
    const auto errors = loadConfiguration(db, ctx.dir);
    for (const auto& e : errors) {
        *ctx.err << e << "\n";
    }
    return errors.empty();
}

// The name of a registered key holder; false with the reason on stderr for a key
// nobody holds.
bool holderName(CliContext& ctx, const ConfigurationDatabase& db, const KeyNumber& key,
                std::string& name) {
    if (db.keyHolders.findByKey(key) == 0) {
        *ctx.err << "Klíč " << key.text() << " nepatří žádnému nositeli klíče (" << kKeyHoldersFile
                 << ").\n";
        return false;
    }
    name = db.keyHolders.nameOfKey(key);
    return true;
}

// The attendance bookings of the event file, as the card windows have them; false
// when there are none.
bool loadBookings(CliContext& ctx, const ConfigurationDatabase& db, EventTable& table) {
    if (const std::string note = loadAttendanceEvents(table, ctx.dir, db.units); !note.empty()) {
        *ctx.err << note << "\n";
    }
    if (table.count() == 0) {
        *ctx.err << "Chybí originální události docházky!\n";
        return false;
    }
    return true;
}

// The code list; a damaged file is reported and what it still holds is used.
AttendanceCodeList loadCodes(CliContext& ctx) {
    AttendanceCodeList codes;
    if (FileResult r = loadCodeList(ctx.dir / kCodeListFile, codes); !r) {
        *ctx.err << r.error() << "\n";
    }
    return codes;
}

// The card register, made when there is none; false when it cannot be opened. What it
// reports on opening reaches stderr.
bool openRegister(CliContext& ctx, CardRegister& reg) {
    if (FileResult r = reg.open(ctx.dir / kCardRegisterFile); !r) {
        *ctx.err << r.error() << "\n";
        return reg.isOpen();
    }
    return true;
}

// The cards of the card register as it stands, read once however many of them are
// looked up; false when there is none or it cannot be read.
bool readExistingRegister(CliContext& ctx, std::vector<AttendanceCard>& cards) {
    std::error_code ec;
    if (!fs::exists(ctx.dir / kCardRegisterFile, ec)) {
        *ctx.err << "Registr karet " << kCardRegisterFile << " neexistuje.\n";
        return false;
    }
    CardRegister reg;
    if (!openRegister(ctx, reg)) {
        return false;
    }
    if (FileResult r = reg.readAll(cards); !r) {
        *ctx.err << r.error() << "\n";
        return false;
    }
    return true;
}

// The first card of the key among the register's cards; false with the reason on stderr.
bool storedCard(CliContext& ctx, const std::vector<AttendanceCard>& cards, const KeyNumber& key,
                AttendanceCard& card) {
    const auto it = std::find_if(cards.begin(), cards.end(),
                                 [&key](const AttendanceCard& c) { return c.keyNumber == key; });
    if (it == cards.end()) {
        *ctx.err << "Karta klíče " << key.text() << " v registru " << kCardRegisterFile
                 << " není.\n";
        return false;
    }
    card = *it;
    return true;
}

// The lines whose check left a fault ("#...") in their note.
void reportFaultyLines(CliContext& ctx, const std::string& who, const AttendanceCard& card) {
    *ctx.err << kCardFaults << (who.empty() ? "" : " (" + who + ")") << "\n";
    for (int i = 1; i <= card.lineCount(); ++i) {
        const std::string note = card.line(i).note.text();
        if (note.starts_with("#")) {
            *ctx.err << "řádek " << i << ": " << note << "\n";
        }
    }
}

// What the evaluation of stored cards needs besides the card.
struct EvaluationInputs {
    ConfigurationDatabase db;
    AttendanceCodeList codes;
    HolidayTable holidays;
    std::optional<bool> holidaysRead;  // read once, whatever it gave
    std::vector<AttendanceCard> cards; // the card register's
};

bool loadEvaluationInputs(CliContext& ctx, EvaluationInputs& in) {
    if (!loadInstallation(ctx, in.db)) {
        return false;
    }
    in.codes = loadCodes(ctx);
    return readExistingRegister(ctx, in.cards);
}

// The holiday table, read once for all the cards evaluated.
bool holidaysLoaded(CliContext& ctx, EvaluationInputs& in) {
    if (!in.holidaysRead) {
        const FileResult r = loadHolidayTable(in.holidays, ctx.dir);
        // The days of a damaged table would count as working days: no evaluation on it.
        if (!r) {
            *ctx.err << r.error() << "\n";
        }
        in.holidaysRead = r.ok();
    }
    return *in.holidaysRead;
}

// The register's card of the key evaluated over the period, as "Zpracovat" does it;
// false with the reasons on stderr.
bool evaluateStoredCard(CliContext& ctx, EvaluationInputs& in, const KeyNumber& key,
                        const std::string& who, DateTime from, DateTime to, AttendanceCard& card,
                        EvaluationResult& result) {
    if (!storedCard(ctx, in.cards, key, card)) {
        return false;
    }
    if (!intervalsOverlap(card.dateFrom, card.dateTo, from, to)) {
        *ctx.err << "Období zpracování " << cardDateText(from) << " - " << cardDateText(to)
                 << " nezasahuje do platnosti karty " << cardDateText(card.dateFrom) << " - "
                 << cardDateText(card.dateTo) << (who.empty() ? "" : " (" + who + ")") << ".\n";
        return false;
    }
    if (!holidaysLoaded(ctx, in)) {
        return false;
    }
    if (!checkCard(card) ||
        !evaluationGate(card, in.codes, holidayQuery(in.holidays), from, to, result)) {
        reportFaultyLines(ctx, who, card);
        return false;
    }
    return true;
}

int attendanceBuild(CliContext& ctx, const Options& o) {
    if (!intervalValid(*o.from, *o.to)) {
        *ctx.err << "Nevhodný časový interval!\n";
        return kExitUsage;
    }
    ConfigurationDatabase db;
    std::string name;
    EventTable events;
    if (!loadInstallation(ctx, db) || !holderName(ctx, db, *o.key, name) ||
        !loadBookings(ctx, db, events)) {
        return kExitFailure;
    }
    const AttendanceCodeList codes = loadCodes(ctx);
    CardRegister reg;
    if (!openRegister(ctx, reg)) {
        return kExitFailure;
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

int attendanceEvaluate(CliContext& ctx, const Options& o) {
    if (!intervalValid(*o.from, *o.to)) {
        *ctx.err << "Nevhodný interval zpracování!\n";
        return kExitUsage;
    }
    EvaluationInputs in;
    std::string name;
    if (!loadEvaluationInputs(ctx, in) || !holderName(ctx, in.db, *o.key, name)) {
        return kExitFailure;
    }
    AttendanceCard card;
    EvaluationResult result;
    if (!evaluateStoredCard(ctx, in, *o.key, "", *o.from, *o.to, card, result)) {
        return kExitFailure;
    }
    if (o.csv) {
        const std::string csv = evaluationCsv(result, in.codes);
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
    return emitLines(ctx, evaluationTextLines(name, card, result, in.codes));
}

// "VÝKAZ DOCHÁZKY" of one holder, or of every holder booked in the period one after
// another, each on a page of its own, for the monthly payroll run. A holder whose
// report cannot be made is named on stderr, the others are still printed, and the
// run fails so that a missing page cannot go unnoticed.
int attendanceReport(CliContext& ctx, const Options& o) {
    if (!intervalValid(*o.from, *o.to)) {
        *ctx.err << "Nevhodný interval zpracování!\n";
        return kExitUsage;
    }
    EvaluationInputs in;
    if (!loadEvaluationInputs(ctx, in)) {
        return kExitFailure;
    }
    ReportRowDefinition columns;
    if (FileResult r = loadRowDefinition(ctx.dir / kRowDefinitionFile, columns); !r) {
        *ctx.err << r.error() << "\n";
    }
    std::vector<KeyNumber> keys;
    if (o.key) {
        keys.push_back(*o.key);
    } else {
        EventTable events;
        if (!loadBookings(ctx, in.db, events)) {
            return kExitFailure;
        }
        // The holders in the order of the key holder register, as the payroll knows them.
        const std::vector<KeyNumber> booked = keysBookedInPeriod(events, *o.from, *o.to);
        for (const KeyHolderRecord& holder : in.db.keyHolders.records()) {
            if (std::find(booked.begin(), booked.end(), holder.keyNumber) != booked.end() &&
                std::find(keys.begin(), keys.end(), holder.keyNumber) == keys.end()) {
                keys.push_back(holder.keyNumber);
            }
        }
        for (const KeyNumber& k : booked) {
            if (in.db.keyHolders.findByKey(k) == 0) {
                *ctx.err << "Klíč " << k.text()
                         << " má v období docházkové události, ale nepatří žádnému nositeli.\n";
            }
        }
        if (keys.empty()) {
            *ctx.err << "V období " << cardDateText(*o.from) << " - " << cardDateText(*o.to)
                     << " nemá žádný nositel klíče docházkové události.\n";
            return kExitFailure;
        }
    }
    bool allDone = true;
    std::vector<std::string> lines;
    for (const KeyNumber& key : keys) {
        std::string name;
        if (!holderName(ctx, in.db, key, name)) {
            allDone = false;
            continue;
        }
        AttendanceCard card;
        EvaluationResult result;
        const std::string who = o.all ? name + ", " + key.text() : "";
        if (!evaluateStoredCard(ctx, in, key, who, *o.from, *o.to, card, result)) {
            allDone = false;
            continue;
        }
        if (!lines.empty()) {
            lines.push_back(kPageBreak);
        }
        for (auto& l : attendanceReportLines(kReportTitle, name, result, columns)) {
            lines.push_back(std::move(l));
        }
    }
    if (lines.empty()) {
        return kExitFailure;
    }
    const int status = emitLines(ctx, lines);
    return allDone ? status : kExitFailure;
}

// "DOCHÁZKOVÁ KARTA" of the register's card, with its shift days set as the card
// editor prints it. A card of a key nobody holds any more prints under "?".
int attendanceCard(CliContext& ctx, const Options& o) {
    ConfigurationDatabase db;
    std::vector<AttendanceCard> cards;
    AttendanceCard card;
    if (!loadInstallation(ctx, db) || !readExistingRegister(ctx, cards) ||
        !storedCard(ctx, cards, *o.key, card)) {
        return kExitFailure;
    }
    const AttendanceCodeList codes = loadCodes(ctx);
    setShiftDays(card);
    return emitLines(
        ctx, cardPrintoutLines(kCardPrintoutTitle, db.keyHolders.nameOfKey(*o.key), card, codes));
}

} // namespace

int runAttendance(CliContext& ctx) {
    const std::string sub = ctx.args.empty() ? "" : ctx.args[0];
    const std::pair<const char*, Command> commands[] = {{"build", Command::Build},
                                                        {"evaluate", Command::Evaluate},
                                                        {"report", Command::Report},
                                                        {"card", Command::Card}};
    for (const auto& [name, command] : commands) {
        if (sub != name) {
            continue;
        }
        Options o;
        std::string problem;
        if (!parseOptions(ctx.args, command, o, problem)) {
            *ctx.err << problem << "\n" << usageOf(command) << "\n";
            return kExitUsage;
        }
        switch (command) {
        case Command::Build:
            return attendanceBuild(ctx, o);
        case Command::Evaluate:
            return attendanceEvaluate(ctx, o);
        case Command::Report:
            return attendanceReport(ctx, o);
        case Command::Card:
            return attendanceCard(ctx, o);
        }
    }
    for (const char* usage : {kBuildUsage, kEvaluateUsage, kReportUsage, kCardUsage}) {
        *ctx.err << usage << "\n";
    }
    return kExitUsage;
}

int runCodes(CliContext& ctx) {
    if (!ctx.args.empty()) {
        *ctx.err << "Použití: codes\n";
        return kExitUsage;
    }
    const AttendanceCodeList codes = loadCodes(ctx);
    return emitLines(ctx, codeListLines(codes, SystemClock().now()));
}

} // namespace qtr::cli
