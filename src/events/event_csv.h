#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qtr {

class EventTable;
class EventDecoder;

// The events of the table for a spreadsheet, as UTF-8 lines: the header
// "Datum;Čas;Adresa;Jednotka;Klíč;Jméno;Událost", then one line per record
// 1..count: date, time, unit address, unit name, key (empty for an input event),
// holder name and the event text (or the decode message and the dump). Fields are
// separated by ";" (the list separator of Czech spreadsheets); a field holding ";",
// a quotation mark or a line end is quoted, and one a spreadsheet would take for a
// formula (beginning with "=", "+", "-" or "@") is preceded by an apostrophe.
std::vector<std::string> eventCsvLines(const EventTable& table, const EventDecoder& decoder);

// The file's bytes: the UTF-8 byte order mark (so that spreadsheets read the Czech
// letters right), then every line followed by `lineEnd`.
std::string eventCsvText(const std::vector<std::string>& lines, std::string_view lineEnd);

} // namespace qtr
