// The event file management without its window: the text exchange with other
// systems, shortening the event file, merging other event files into it and the
// key holders of unregistered keys.

#include "base/clock.h"
#include "base/date_time.h"
#include "base/file_io.h"
#include "cli/commands.h"
#include "cli/table_file.h"
#include "db/data_files.h"
#include "db/tables.h"
#include "events/event_file.h"
#include "events/event_file_rewrite.h"
#include "events/event_transfer.h"
#include "events/keys_from_events.h"

#include <ostream>

namespace qtr::cli {
namespace fs = std::filesystem;

namespace {

fs::path eventFileOf(const CliContext& ctx) {
    return ctx.dir / kEventFile;
}

bool eventFilePresent(CliContext& ctx) {
    std::error_code ec;
    if (fs::exists(eventFileOf(ctx), ec)) {
        return true;
    }
    *ctx.err << "Soubor událostí " << kEventFile << " neexistuje.\n";
    return false;
}

// Reads a whole event file; false (with the reason on stderr) when it cannot be read.
bool readRecords(CliContext& ctx, const fs::path& file, std::vector<std::uint8_t>& records) {
    std::size_t torn = 0;
    if (FileResult r = readEventRecords(file, records, torn); !r) {
        *ctx.err << r.error() << "\n";
        return false;
    }
    if (torn != 0) {
        *ctx.err << "Soubor " << file.filename().string() << " končí neúplným záznamem (" << torn
                 << " B), který nebyl použit.\n";
    }
    return true;
}

// What a rewrite did, for the operator; the exit status.
int report(CliContext& ctx, const EventFileRewrite& r) {
    if (!r.note.empty()) {
        *ctx.err << r.note << "\n";
    }
    if (!r.result) {
        *ctx.err << r.result.error() << "\n";
        return kExitFailure;
    }
    if (r.archived > 0) {
        *ctx.out << archiveNote(r) << "\n";
    }
    *ctx.out << "událostí v souboru " << kEventFile << ": " << r.after << "\n";
    return kExitOk;
}

int exportCommand(CliContext& ctx) {
    if (ctx.args.size() != 2) {
        return -1;
    }
    std::vector<std::uint8_t> records;
    if (!eventFilePresent(ctx) || !readRecords(ctx, eventFileOf(ctx), records)) {
        return kExitFailure;
    }
    const EventExport r = exportEvents(records, ctx.args[1]);
    if (!r.result) {
        *ctx.err << r.result.error() << "\n";
        return kExitFailure;
    }
    if (r.invalidDates > 0) {
        *ctx.err << r.invalidDates
                 << " událostí nemá platné datum a čas; v souboru jsou u nich otazníky a import "
                    "je nepřijme.\n";
    }
    *ctx.out << "exportováno událostí: " << r.written << "\n";
    return kExitOk;
}

int importCommand(CliContext& ctx) {
    const bool replace = ctx.args.size() == 3 && ctx.args[2] == "--replace";
    if (ctx.args.size() != 2 && !replace) {
        return -1;
    }
    std::vector<std::uint8_t> text;
    if (FileResult r = readWholeFile(ctx.args[1], text); !r) {
        *ctx.err << r.error() << "\n";
        return kExitFailure;
    }
    const EventTransferRead read = readEventTransferText(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size()),
        EventTable::kCapacity);
    std::vector<std::uint8_t> records(read.events.size() * EventRecord::kSize);
    for (std::size_t i = 0; i < read.events.size(); ++i) {
        read.events[i].toBytes(std::span(records).subspan(i * EventRecord::kSize));
    }
    // What was read before a faulty line is kept, as in the window.
    const SystemClock clock;
    const EventFileRewrite r = replace ? replaceEventFile(eventFileOf(ctx), records, clock.now())
                                       : appendToEventFile(eventFileOf(ctx), records, false);
    if (r.result) {
        *ctx.out << "přidáno událostí: " << (replace ? read.events.size() : r.added) << "\n";
    }
    const std::uint64_t notTaken = read.notTaken + r.notTaken;
    if (notTaken > 0) {
        *ctx.err << "Soubor událostí pojme nejvýše " << EventTable::kCapacity
                 << " událostí; nenačteno řádků: " << notTaken << ".\n";
    }
    const int status = report(ctx, r);
    if (read.failedLine != 0) {
        *ctx.err << "Soubor " << ctx.args[1] << ": " << transferStopText(read) << "\n";
        return kExitFailure;
    }
    return status;
}

int trimCommand(CliContext& ctx) {
    DateTime cut = 0.0;
    if (ctx.args.size() != 3 || ctx.args[1] != "--before") {
        return -1;
    }
    if (ctx.args[2].size() != 10 || !parseDateTime(ctx.args[2], cut)) {
        *ctx.err << "Chybné datum (dd.mm.yyyy): " << ctx.args[2] << "\n";
        return kExitUsage;
    }
    if (!eventFilePresent(ctx)) {
        return kExitFailure;
    }
    const SystemClock clock;
    return report(ctx, trimEventFile(eventFileOf(ctx), cut, clock.now()));
}

int clearCommand(CliContext& ctx) {
    if (ctx.args.size() != 1) {
        return -1;
    }
    if (!eventFilePresent(ctx)) {
        return kExitFailure;
    }
    const SystemClock clock;
    return report(ctx, clearEventFile(eventFileOf(ctx), clock.now()));
}

int mergeCommand(CliContext& ctx) {
    if (ctx.args.size() != 2) {
        return -1;
    }
    std::vector<std::uint8_t> records;
    if (!readRecords(ctx, ctx.args[1], records)) {
        return kExitFailure;
    }
    const EventFileRewrite r = appendToEventFile(eventFileOf(ctx), records, true);
    if (r.result) {
        *ctx.out << "přidáno událostí: " << r.added << ", již obsažených: " << r.alreadyThere
                 << "\n";
    }
    if (r.notTaken > 0) {
        *ctx.err << "Soubor událostí pojme nejvýše " << EventTable::kCapacity
                 << " událostí; nepřidáno: " << r.notTaken << ".\n";
    }
    return report(ctx, r);
}

} // namespace

int runEventFile(CliContext& ctx) {
    const std::string& sub = ctx.args[0];
    int status = -1;
    if (sub == "export") {
        status = exportCommand(ctx);
    } else if (sub == "import") {
        status = importCommand(ctx);
    } else if (sub == "trim") {
        status = trimCommand(ctx);
    } else if (sub == "clear") {
        status = clearCommand(ctx);
    } else if (sub == "merge") {
        status = mergeCommand(ctx);
    }
    if (status < 0) {
        *ctx.err << kEventFileUsage << "\n";
        return kExitUsage;
    }
    return status;
}

int runKeysFromEvents(CliContext& ctx) {
    if (ctx.args.size() != 1) {
        *ctx.err << "Použití: keys from-events\n";
        return kExitUsage;
    }
    KeyHolderTable holders;
    std::vector<std::uint8_t> records;
    if (!loadTableIfPresent(ctx, holders, kKeyHoldersFile) || !eventFilePresent(ctx) ||
        !readRecords(ctx, eventFileOf(ctx), records)) {
        return kExitFailure;
    }
    const KeysFromEvents r = addKeysFromEvents(holders, records);
    if (r.added > 0) {
        if (FileResult saved = holders.save(ctx.dir / kKeyHoldersFile); !saved) {
            *ctx.err << saved.error() << "\n";
            return kExitFailure;
        }
    }
    *ctx.out << "přidáno nositelů klíčů: " << r.added
             << ", nositelů klíčů celkem: " << holders.count() << "\n";
    if (r.notAdded > 0) {
        *ctx.err << "Rejstřík klíčů je plný (1000); nepřidáno klíčů: " << r.notAdded << ".\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace qtr::cli
