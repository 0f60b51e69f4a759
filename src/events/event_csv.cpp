#include "events/event_csv.h"

#include "base/date_time.h"
#include "base/hex_text.h"
#include "db/tables.h"
#include "events/event_decoder.h"
#include "events/event_table.h"

namespace qtr {
namespace {

std::string csvField(std::string_view text) {
    std::string field;
    if (!text.empty() && (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@')) {
        field = "'";
    }
    field += text;
    if (field.find_first_of(";\"\r\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

} // namespace

std::vector<std::string> eventCsvLines(const EventTable& table, const EventDecoder& decoder) {
    const BulkEventDecoder bulk(decoder);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(table.count()) + 1);
    lines.emplace_back("Datum;Čas;Adresa;Jednotka;Klíč;Jméno;Událost");
    for (int i = 1; i <= table.count(); ++i) {
        const EventRecord e = table.at(i);
        const ControlUnitRecord* unit = bulk.unit(e.unitAddress);
        const KeyHolderRecord* holder = bulk.holder(e.keyNumber);
        const bool hasKey = !e.keyNumber.isZero();
        std::string line = formatDateTime("dd.mm.yyyy;hh:nn:ss;", e.timestamp);
        line += hexByteText(e.unitAddress) + ';';
        line += csvField(unit != nullptr ? unit->unitName.text() : std::string()) + ';';
        line += (hasKey ? e.keyNumber.text() : std::string()) + ';';
        line += csvField(hasKey && holder != nullptr ? holder->holderName.text() : std::string());
        line += ';' + csvField(bulk.describe(e));
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string eventCsvText(const std::vector<std::string>& lines, std::string_view lineEnd) {
    std::string text = "\xEF\xBB\xBF";
    for (const auto& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

} // namespace qtr
