#include "events/event_file_rewrite.h"

#include "base/file_io.h"
#include "base/file_lock.h"
#include "events/event_archive.h"
#include "events/event_record.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qtr {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kRec = EventRecord::kSize;
using Bytes = std::vector<std::uint8_t>;

std::string_view recordAt(std::span<const std::uint8_t> records, std::size_t i) {
    return {reinterpret_cast<const char*>(records.data()) + i * kRec, kRec};
}

void appendRecord(Bytes& to, std::span<const std::uint8_t> records, std::size_t i) {
    const auto r = records.subspan(i * kRec, kRec);
    to.insert(to.end(), r.begin(), r.end());
}

// How often each record occurs, byte for byte.
using Tally = std::unordered_map<std::string_view, std::uint64_t>;
Tally tally(std::span<const std::uint8_t> records) {
    Tally counts;
    counts.reserve(records.size() / kRec);
    for (std::size_t i = 0; i < records.size() / kRec; ++i) {
        ++counts[recordAt(records, i)];
    }
    return counts;
}

// What a rewrite makes of the file's records: the new content, and what it removes.
using Change = std::function<void(std::span<const std::uint8_t> current, Bytes& next,
                                  Bytes& removed, EventFileRewrite& outcome)>;

// The one way the event file is rewritten: under its lock, from the file as it is
// now, with what goes away kept in an archive first.
EventFileRewrite rewrite(const fs::path& file, DateTime today, const Change& change) {
    EventFileRewrite outcome;
    const std::string name = file.filename().string();
    FileLock lock;
    if (FileResult r = lock.tryLock(lockFileFor(file), "Soubor událostí " + name); !r) {
        outcome.result = r;
        return outcome;
    }
    Bytes current;
    std::size_t tail = 0;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(file, ec))) {
        if (FileResult r = readEventRecords(file, current, tail); !r) {
            outcome.result = r;
            return outcome;
        }
    }
    std::string tornNote;
    if (tail != 0) {
        // Not an event, but not ours to throw away unseen either.
        fs::path kept;
        const FileResult backup = keepBackupCopy(file, kept);
        if (!backup) {
            outcome.result = FileResult::failure(
                "Soubor " + name + " končí neúplným záznamem a jeho zálohu se nepodařilo " +
                "vytvořit (" + backup.error() + "); soubor zůstal beze změny.");
            return outcome;
        }
        tornNote = "Soubor " + name + " končil neúplným záznamem (" + std::to_string(tail) +
                   " B), který byl vynechán; původní soubor je uschován jako " +
                   kept.filename().string() + ".";
    }
    outcome.before = current.size() / kRec;

    Bytes next;
    Bytes removed;
    change(current, next, removed, outcome);
    if (!removed.empty()) {
        if (FileResult r = writeEventArchive(file, today, removed, outcome.archive); !r) {
            outcome.result =
                FileResult::failure(r.error() + " Soubor " + name + " zůstal beze změny.");
            return outcome;
        }
        outcome.archived = removed.size() / kRec;
    }
    if (FileResult r = writeFileAtomically(file, next); !r) {
        std::string text = r.error() + " Soubor " + name + " zůstal beze změny.";
        if (!outcome.archive.empty()) {
            text += " Kopie událostí, které se měly odstranit, je v souboru " +
                    outcome.archive.filename().string() + ".";
        }
        outcome.result = FileResult::failure(text);
        return outcome;
    }
    outcome.after = next.size() / kRec;
    outcome.note = tornNote;
    return outcome;
}

} // namespace

EventFileRewrite clearEventFile(const fs::path& file, DateTime today) {
    return rewrite(file, today,
                   [](std::span<const std::uint8_t> current, Bytes&, Bytes& removed,
                      EventFileRewrite&) { removed.assign(current.begin(), current.end()); });
}

EventFileRewrite trimEventFile(const fs::path& file, DateTime cut, DateTime today,
                               std::optional<SortKind> order) {
    return rewrite(
        file, today,
        [&](std::span<const std::uint8_t> current, Bytes& next, Bytes& removed, EventFileRewrite&) {
            for (std::size_t i = 0; i < current.size() / kRec; ++i) {
                const EventRecord e = EventRecord::fromBytes(current.subspan(i * kRec));
                // A time stamp that is no date is not "earlier": it stays.
                appendRecord(e.timestamp < cut ? removed : next, current, i);
            }
            if (order) {
                sortEventRecords(next, *order);
            }
        });
}

EventFileRewrite replaceEventFile(const fs::path& file, std::span<const std::uint8_t> records,
                                  DateTime today) {
    const std::span<const std::uint8_t> whole = records.first(records.size() / kRec * kRec);
    return rewrite(
        file, today,
        [&](std::span<const std::uint8_t> current, Bytes& next, Bytes& removed, EventFileRewrite&) {
            next.assign(whole.begin(), whole.end());
            auto remaining = tally(whole);
            for (std::size_t i = 0; i < current.size() / kRec; ++i) {
                const auto it = remaining.find(recordAt(current, i));
                if (it != remaining.end() && it->second > 0) {
                    --it->second;
                } else {
                    appendRecord(removed, current, i);
                }
            }
        });
}

EventFileRewrite appendToEventFile(const fs::path& file, std::span<const std::uint8_t> records,
                                   bool skipPresent) {
    return rewrite(
        file, 0.0,
        [&](std::span<const std::uint8_t> current, Bytes& next, Bytes&, EventFileRewrite& outcome) {
            next.assign(current.begin(), current.end());
            auto present = skipPresent ? tally(current) : Tally{};
            const std::size_t capacity = EventTable::kCapacity;
            for (std::size_t i = 0; i < records.size() / kRec; ++i) {
                if (skipPresent) {
                    const auto it = present.find(recordAt(records, i));
                    if (it != present.end() && it->second > 0) {
                        --it->second;
                        ++outcome.alreadyThere;
                        continue;
                    }
                }
                if (next.size() / kRec >= capacity) {
                    ++outcome.notTaken;
                    continue;
                }
                appendRecord(next, records, i);
                ++outcome.added;
            }
        });
}

FileResult readEventRecords(const fs::path& file, Bytes& records, std::size_t& tornBytes) {
    if (FileResult r = readWholeFile(file, records); !r) {
        return r;
    }
    tornBytes = records.size() % kRec;
    records.resize(records.size() - tornBytes);
    return FileResult::success();
}

std::string archiveNote(const EventFileRewrite& rewrite) {
    if (rewrite.archived == 0) {
        return {};
    }
    return "Odstraněné události (" + std::to_string(rewrite.archived) +
           ") jsou uschovány v souboru " + rewrite.archive.string() + ".";
}

} // namespace qtr
