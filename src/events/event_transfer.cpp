#include "events/event_transfer.h"

#include "base/date_time.h"
#include "base/file_io.h"
#include "base/hex_text.h"
#include "base/text_lines.h"
#include "base/win1250.h"
#include "events/event_table.h"

namespace qtr {
namespace {

constexpr std::size_t kDateColumn = 0;
constexpr std::size_t kTimeColumn = 10;
constexpr std::size_t kAddressColumn = 18;
constexpr std::size_t kKeyColumn = 20;
constexpr std::size_t kCodeColumn = 34;
constexpr std::size_t kReserved1Column = 36;
constexpr std::size_t kReserved2Column = 38;

// The event of one line, or the Czech text of what is wrong with it.
bool parseLine(std::string_view line, EventRecord& e, std::string& problem) {
    if (line.size() != kTransferEventLineLength) {
        problem = "řádek nemá 40 znaků (má " + std::to_string(line.size()) + ")";
        return false;
    }
    const std::string stamp =
        std::string(line.substr(kDateColumn, 10)) + " " + std::string(line.substr(kTimeColumn, 8));
    DateTime t = 0.0;
    if (!parseDateTime(stamp, t)) {
        problem = "„" + win1250ToUtf8(stamp) + "“ není platné datum a čas";
        return false;
    }
    const auto hexField = [&](std::size_t column, std::size_t width, const char* name) {
        if (isHexText(line.substr(column, width))) {
            return true;
        }
        problem = std::string(name) + " „" + win1250ToUtf8(line.substr(column, width)) +
                  "“ není šestnáctkové číslo";
        return false;
    };
    if (!hexField(kAddressColumn, 2, "adresa jednotky") || !hexField(kKeyColumn, 14, "klíč") ||
        !hexField(kCodeColumn, 2, "kód události") || !hexField(kReserved1Column, 2, "pom-1") ||
        !hexField(kReserved2Column, 2, "pom-2")) {
        return false;
    }
    e.timestamp = t;
    e.unitAddress = parseHexByte(line.substr(kAddressColumn, 2));
    e.keyNumber = KeyNumber::parse(line.substr(kKeyColumn, 14));
    e.eventCode = parseHexByte(line.substr(kCodeColumn, 2));
    e.reserved1 = parseHexByte(line.substr(kReserved1Column, 2));
    e.reserved2 = parseHexByte(line.substr(kReserved2Column, 2));
    return true;
}

} // namespace

std::string eventTransferLine(const EventRecord& e) {
    std::string line = formatDateTime("dd.mm.yyyyhh:nn:ss", e.timestamp);
    line += hexByteText(e.unitAddress);
    line += e.keyNumber.text();
    line += hexByteText(e.eventCode);
    line += hexByteText(e.reserved1);
    line += hexByteText(e.reserved2);
    return line;
}

EventExport exportEvents(std::span<const std::uint8_t> records, const std::filesystem::path& file) {
    EventExport outcome;
    const std::size_t count = records.size() / EventRecord::kSize;
    std::string text;
    text.reserve(count * (kTransferEventLineLength + 2));
    for (std::size_t i = 0; i < count; ++i) {
        const EventRecord e =
            EventRecord::fromBytes(records.subspan(i * EventRecord::kSize, EventRecord::kSize));
        if (!isValidDateTime(e.timestamp)) {
            ++outcome.invalidDates;
        }
        text += eventTransferLine(e);
        text += "\r\n";
    }
    outcome.result = writeFileAtomically(file, text);
    if (outcome.result) {
        outcome.written = static_cast<int>(count);
    }
    return outcome;
}

EventTransferRead readEventTransferText(std::string_view bytes, std::size_t room) {
    EventTransferRead read;
    const std::vector<std::string> lines = splitWin1250Lines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) {
            continue;
        }
        if (read.events.size() >= room) {
            ++read.notTaken;
            continue;
        }
        EventRecord e;
        if (!parseLine(lines[i], e, read.problem)) {
            read.failedLine = static_cast<int>(i + 1);
            return read;
        }
        read.events.push_back(e);
    }
    return read;
}

std::string transferStopText(const EventTransferRead& read) {
    return "Řádek " + std::to_string(read.failedLine) + ": " + read.problem +
           ". Import skončil na tomto řádku; z řádků před ním bylo přidáno událostí: " +
           std::to_string(read.events.size()) + ".";
}

EventImport importEvents(EventTable& table, const std::filesystem::path& file, bool replace) {
    EventImport outcome;
    std::vector<std::uint8_t> bytes;
    if (FileResult r = readWholeFile(file, bytes); !r) {
        outcome.result = r;
        return outcome;
    }
    if (replace) {
        table.clear();
    }
    const EventTransferRead read = readEventTransferText(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
        static_cast<std::size_t>(EventTable::kCapacity - table.count()));
    for (const EventRecord& e : read.events) {
        table.append(e);
    }
    outcome.added = static_cast<int>(read.events.size());
    outcome.failedLine = read.failedLine;
    outcome.notTaken = read.notTaken;
    if (read.failedLine != 0) {
        outcome.result =
            FileResult::failure("Soubor " + file.string() + ": " + transferStopText(read));
    }
    return outcome;
}

} // namespace qtr
