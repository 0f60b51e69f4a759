#include "app/system_memory.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

TEST(SystemMemory, TotalAndLoadFromMeminfo) {
    const auto f = parseMeminfo("MemTotal:       16318004 kB\n"
                                "MemFree:         1000000 kB\n"
                                "MemAvailable:    4079501 kB\n");
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->totalKb, 16318004u);
    EXPECT_EQ(f->loadPercent, 75);
    EXPECT_FALSE(parseMeminfo("MemFree: 12 kB\n").has_value());
    EXPECT_FALSE(parseMeminfo("MemTotal: 0 kB\n").has_value());
}

TEST(SystemMemory, ThousandsSeparators) {
    EXPECT_EQ(withThousandsSeparators(0), "0");
    EXPECT_EQ(withThousandsSeparators(999), "999");
    EXPECT_EQ(withThousandsSeparators(1000), "1 000");
    EXPECT_EQ(withThousandsSeparators(16318004), "16 318 004");
    EXPECT_EQ(withThousandsSeparators(123456789012), "123 456 789 012");
}

} // namespace
} // namespace qtr
