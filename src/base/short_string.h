#pragma once

#include "base/win1250.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qtr {

// A text field of a stored record: one length byte and N bytes of Windows-1250
// characters. All N+1 raw bytes are kept, so a record read and written back is
// byte-identical even where the bytes after the length are not zero.
template <std::size_t N> class ShortString {
    static_assert(N >= 1 && N <= 255);

public:
    static constexpr std::size_t kCapacity = N;
    static constexpr std::size_t kSize = N + 1;

    ShortString() = default;
    explicit ShortString(std::string_view utf8) { setText(utf8); }

    static ShortString fromBytes(std::span<const std::uint8_t> bytes) {
        ShortString s;
        std::copy_n(bytes.begin(), kSize, s.raw_.begin());
        return s;
    }
    void toBytes(std::span<std::uint8_t> out) const {
        std::copy(raw_.begin(), raw_.end(), out.begin());
    }

    // A length byte above N (a foreign file) is read as N.
    std::size_t length() const { return std::min<std::size_t>(raw_[0], N); }
    bool empty() const { return length() == 0; }

    // The significant characters as Windows-1250 bytes.
    std::string_view win1250() const {
        return {reinterpret_cast<const char*>(raw_.data() + 1), length()};
    }
    std::string text() const { return win1250ToUtf8(win1250()); }

    // Stores the first N characters; characters the code page lacks become '?'.
    // The bytes after the new length are left as they were.
    void setText(std::string_view utf8) { setWin1250(utf8ToWin1250(utf8)); }
    void setWin1250(std::string_view bytes) {
        const std::size_t n = std::min(bytes.size(), N);
        raw_[0] = static_cast<std::uint8_t>(n);
        std::copy_n(bytes.begin(), n, raw_.begin() + 1);
    }

    const std::array<std::uint8_t, kSize>& raw() const { return raw_; }

    friend bool operator==(const ShortString& a, const ShortString& b) { return a.raw_ == b.raw_; }

private:
    std::array<std::uint8_t, kSize> raw_{};
};

// Order of texts by their unsigned Windows-1250 codes, a prefix first; no national collation.
int compareWin1250(std::string_view a, std::string_view b);

} // namespace qtr
