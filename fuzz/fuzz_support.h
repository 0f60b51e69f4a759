#pragma once

// What every fuzz target shares: a check that stops the run (libFuzzer reports the
// input) and a reader that takes typed values off the front of the input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>

namespace qtr::fuzz {

inline void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}

    bool empty() const { return rest_.empty(); }
    std::size_t size() const { return rest_.size(); }

    std::uint8_t byte() {
        if (rest_.empty()) {
            return 0;
        }
        const std::uint8_t b = rest_[0];
        rest_ = rest_.subspan(1);
        return b;
    }
    double f64() {
        std::uint8_t raw[8] = {};
        const std::size_t n = rest_.size() < 8 ? rest_.size() : 8;
        std::memcpy(raw, rest_.data(), n);
        rest_ = rest_.subspan(n);
        double v;
        std::memcpy(&v, raw, sizeof v);
        return v;
    }
    // Up to n bytes.
    std::span<const std::uint8_t> bytes(std::size_t n) {
        const std::size_t k = n < rest_.size() ? n : rest_.size();
        const auto taken = rest_.first(k);
        rest_ = rest_.subspan(k);
        return taken;
    }
    std::span<const std::uint8_t> all() { return bytes(rest_.size()); }
    std::string_view text() {
        const auto b = all();
        return {reinterpret_cast<const char*>(b.data()), b.size()};
    }

private:
    std::span<const std::uint8_t> rest_;
};

} // namespace qtr::fuzz
