#include "base/win1250.h"

#include <gtest/gtest.h>

namespace qtr {
namespace {

TEST(Win1250, EveryCzechLetterHasItsCodeAndComesBack) {
    const std::string lower = "áčďéěíňóřšťúůýž";
    const std::string upper = "ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ";
    EXPECT_EQ(utf8ToWin1250(lower), "\xE1\xE8\xEF\xE9\xEC\xED\xF2\xF3\xF8\x9A\x9D\xFA\xF9\xFD\x9E");
    EXPECT_EQ(utf8ToWin1250(upper), "\xC1\xC8\xCF\xC9\xCC\xCD\xD2\xD3\xD8\x8A\x8D\xDA\xD9\xDD\x8E");
    EXPECT_EQ(win1250ToUtf8(utf8ToWin1250(lower)), lower);
    EXPECT_EQ(win1250ToUtf8(utf8ToWin1250(upper)), upper);
}

TEST(Win1250, WholeCodePageSurvivesBothWays) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string text = win1250ToUtf8(one);
        EXPECT_EQ(utf8ToWin1250(text), one) << "byte " << b;
        EXPECT_EQ(utf8Length(text), 1u) << "byte " << b;
    }
}

TEST(Win1250, SelectedCodePoints) {
    EXPECT_EQ(win1250ToCodePoint(0x80), U'€');
    EXPECT_EQ(win1250ToCodePoint(0xA0), U'\u00A0');
    EXPECT_EQ(win1250ToCodePoint(0xB9), U'ą');
    EXPECT_EQ(win1250ToCodePoint(0xFF), U'˙');
    EXPECT_EQ(win1250ToCodePoint(0x81), U'\u0081'); // undefined byte kept as C1
}

TEST(Win1250, CharactersTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToWin1250("Ą ñ 日本 €"), "\xA5 ? ?? \x80");
    EXPECT_EQ(utf8ToWin1250("😀"), "?");
}

TEST(Win1250, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(utf8ToWin1250("a\xC3"), "a?"); // cut sequence
    EXPECT_EQ(utf8ToWin1250("\xFF"
                            "b"),
              "?b"); // invalid lead byte
    EXPECT_EQ(utf8ToWin1250("\xC3"
                            "b"),
              "?b"); // missing continuation keeps the b
    // Overlong forms (a CR, an LF), a surrogate, beyond Unicode: one '?' each.
    EXPECT_EQ(utf8ToWin1250("x\xC0\x8Dy\xE0\x80\x8Az\xED\xA0\x80\xF4\x90\x80\x80"), "x?y?z??");
}

} // namespace
} // namespace qtr
