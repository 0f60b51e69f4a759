#include "events/event_load_note.h"

namespace qtr {

std::string eventLoadNote(const EventLoadResult& loaded, int count, std::string_view fileName) {
    const std::string name(fileName);
    if (!loaded.file) {
        return loaded.file.error();
    }
    std::string note;
    if (loaded.recordsInFile > static_cast<std::uint64_t>(count)) {
        note = "Soubor " + name + " obsahuje " + std::to_string(loaded.recordsInFile) +
               " událostí, načteno je prvních " + std::to_string(count) + ".";
    }
    if (loaded.partialBytes != 0) {
        if (!note.empty()) {
            note += "\n";
        }
        note += "Soubor " + name + " končí neúplným záznamem (" +
                std::to_string(loaded.partialBytes) + " B), který nebyl načten.";
    }
    return note;
}

} // namespace qtr
