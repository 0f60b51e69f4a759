#include "events/event_listing.h"

#include "base/date_time.h"
#include "base/file_io.h"
#include "base/text_lines.h"
#include "events/event_decoder.h"
#include "events/event_table.h"

namespace qtr {

std::vector<std::string> eventListingLines(const EventTable& table, const EventDecoder& decoder) {
    const BulkEventDecoder bulk(decoder);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(table.count()) + 3);
    lines.emplace_back(kEventListingTitle);
    lines.emplace_back();
    for (int i = 1; i <= table.count(); ++i) {
        const EventRecord e = table.at(i);
        lines.push_back(formatDateTime("dd.mm.yyyy hh:nn:ss ", e.timestamp) + bulk.describe(e));
    }
    lines.emplace_back("---");
    return lines;
}

FileResult writeEventListing(const std::filesystem::path& file, const EventTable& table,
                             const EventDecoder& decoder) {
    return writeFileAtomically(file, win1250TextFromLines(eventListingLines(table, decoder)));
}

} // namespace qtr
