#include "support/hex_dump.h"

#include <cstdio>

namespace qtr::test {

std::string hexDump(std::span<const std::uint8_t> bytes) {
    std::string s;
    char buf[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
        if (i > 0) {
            s += (i % 16 == 0) ? "\n" : " ";
        }
        s += buf;
    }
    return s;
}

std::vector<std::uint8_t> fromHex(std::string_view hex) {
    std::vector<std::uint8_t> out;
    int nibble = -1;
    for (char c : hex) {
        int v;
        if (c >= '0' && c <= '9') {
            v = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            v = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            v = c - 'a' + 10;
        } else {
            continue;
        }
        if (nibble < 0) {
            nibble = v;
        } else {
            out.push_back(static_cast<std::uint8_t>(nibble << 4 | v));
            nibble = -1;
        }
    }
    return out;
}

::testing::AssertionResult bytesEqual(std::span<const std::uint8_t> expected,
                                      std::span<const std::uint8_t> actual) {
    if (expected.size() == actual.size() &&
        std::equal(expected.begin(), expected.end(), actual.begin())) {
        return ::testing::AssertionSuccess();
    }
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    return ::testing::AssertionFailure()
           << "bytes differ at offset " << at << " (sizes " << expected.size() << " and "
           << actual.size() << ")\nexpected:\n"
           << hexDump(expected) << "\nactual:\n"
           << hexDump(actual);
}

} // namespace qtr::test
