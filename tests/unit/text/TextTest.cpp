#include "text/Text.h"

#include <gtest/gtest.h>

namespace qz::text {
namespace {

TEST(CodePages, CyrillicRoundTripsThroughAnsiAndOem) {
    const std::string russian = "Привет, Ёж и ёлка!";
    for (unsigned cp : {1251u, 866u})
        EXPECT_EQ(decode(encode(russian, cp), cp), russian) << cp;
    EXPECT_EQ(encode("Ё", 1251), "\xA8");
    EXPECT_EQ(encode("ё", 866), "\xF1");
    EXPECT_EQ(decode("\x80", 866), "А");
}

TEST(CodePages, UnmappableCharactersBecomeTheReplacement) {
    EXPECT_EQ(encode("a€b", 866), "a?b");
    EXPECT_EQ(encode("日本", 1251, '_'), "__");
    // 0x98 is undefined in 1251.
    EXPECT_EQ(decode("\x98", 1251), "\xEF\xBF\xBD");
    // An unknown code page reads as 1252.
    EXPECT_EQ(decode("\xE9", 9999), "é");
}

TEST(Utf16, SurrogatesAndMalformedInput) {
    EXPECT_EQ(fromUtf16(toUtf16("a😀я")), "a😀я");
    EXPECT_EQ(toUtf16("\xFF"), u"\uFFFD");
    EXPECT_EQ(toUtf16("\xE0\x80\x80"), u"\uFFFD\uFFFD\uFFFD"); // overlong
    EXPECT_EQ(fromUtf16(u"\xD800x"), "\xEF\xBF\xBDx");
}

TEST(LetterCase, FoldsLatinAndCyrillicLikeTheSystem) {
    struct Case {
        const char* mixed;
        const char* up;
    } cases[] = {{"qz4setup.exe", "QZ4SETUP.EXE"},
                 {"ёлка Ивана", "ЁЛКА ИВАНА"},
                 {"straße", "STRAßE"},
                 {"éÿ", "ÉŸ"}};
    for (const auto& c : cases) {
        EXPECT_EQ(upper(c.mixed), c.up);
        EXPECT_TRUE(equalsIgnoreCase(c.mixed, c.up));
    }
    EXPECT_EQ(lower("ЁЛКА QZ"), "ёлка qz");
    EXPECT_EQ(upperAscii("ёa"), "ёA");
    EXPECT_LT(compareIgnoreCase("abc", "ABD"), 0);
    EXPECT_GT(compareIgnoreCase("abcd", "ABC"), 0);
}

TEST(Trim, RemovesBlanksAndControls) {
    EXPECT_EQ(trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(trim("   "), "");
}

} // namespace
} // namespace qz::text
