#pragma once

#include <cstdint>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qtr::test {

// "0A 03 85 92" style text of bytes.
std::string hexDump(std::span<const std::uint8_t> bytes);

// Bytes from "0A 03 85 92" (blanks optional).
std::vector<std::uint8_t> fromHex(std::string_view hex);

// Golden-byte comparison that prints both sides as hex and the first difference.
::testing::AssertionResult bytesEqual(std::span<const std::uint8_t> expected,
                                      std::span<const std::uint8_t> actual);

} // namespace qtr::test

#define EXPECT_BYTES(expected, actual) EXPECT_TRUE(::qtr::test::bytesEqual((expected), (actual)))
