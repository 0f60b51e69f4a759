#include "events/keys_from_events.h"

#include "db/tables.h"
#include "events/event_record.h"

#include <set>

namespace qtr {

KeysFromEvents addKeysFromEvents(KeyHolderTable& holders, std::span<const std::uint8_t> records) {
    KeysFromEvents outcome;
    // The register is searched once; an event file may hold 65535 events.
    std::set<KeyNumber> known;
    for (const KeyHolderRecord& h : holders.records()) {
        known.insert(h.keyNumber);
    }
    const KeyHolderRecord kept = holders.current();
    for (std::size_t at = 0; at + EventRecord::kSize <= records.size(); at += EventRecord::kSize) {
        const KeyNumber key = KeyNumber::fromBytes(records.subspan(at + 1, KeyNumber::kSize));
        if (key.isZero() || known.contains(key)) {
            continue;
        }
        known.insert(key);
        if (holders.isFull()) {
            ++outcome.notAdded;
            continue;
        }
        holders.newRecord();
        holders.current().keyNumber = key;
        holders.current().holderName.setText("#" + key.text());
        holders.append();
        ++outcome.added;
    }
    holders.current() = kept;
    return outcome;
}

} // namespace qtr
