#include "db/name_tally.h"

#include "base/win1250.h"

#include <algorithm>

namespace qtr {

bool NameTally::add(std::string_view name, std::int32_t amount) {
    // The name is cut before it is compared, so that a name longer than an entry
    // holds still finds the entry it made, instead of making a new one each time.
    std::string bytes = utf8ToWin1250(name);
    bytes.resize(std::min(bytes.size(), decltype(Entry::name)::kCapacity));
    for (auto& e : entries_) {
        if (e.name.win1250() == bytes) {
            e.value += amount;
            return true;
        }
    }
    if (entries_.size() >= kCapacity) {
        return false;
    }
    Entry e;
    e.name.setWin1250(bytes);
    e.value = amount;
    entries_.push_back(e);
    return true;
}

NameTally::Sum NameTally::sumByPrefix(std::string_view prefix) const {
    const std::string bytes = utf8ToWin1250(prefix);
    Sum s;
    for (const auto& e : entries_) {
        if (e.name.win1250().starts_with(bytes)) {
            ++s.entries;
            s.total += e.value;
        }
    }
    return s;
}

} // namespace qtr
