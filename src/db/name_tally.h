#pragma once

#include "base/short_string.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qtr {

// A small in-memory tally of named counters, used for the statistics of the
// full configuration (prefix "P" for organisational groups, "O" for permission groups).
class NameTally {
public:
    static constexpr std::size_t kCapacity = 50;

    struct Entry {
        static constexpr std::size_t kSize = 22;
        ShortString<17> name;
        std::int32_t value = 0;
    };

    struct Sum {
        int entries = 0;
        long long total = 0;
    };

    void reset() { entries_.clear(); }
    // Adds to the entry with exactly this name, or makes one (name cut to 17
    // characters). Returns false when a new entry would exceed the capacity.
    bool add(std::string_view name, std::int32_t amount);
    // Number of entries whose name begins with the prefix, and the sum of their values.
    Sum sumByPrefix(std::string_view prefix) const;

    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

} // namespace qtr
