#include "workdir/Cp866.h"

#include "text/Text.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

std::string utf8Of(char32_t cp) {
    std::u16string one(1, static_cast<char16_t>(cp));
    return text::fromUtf16(one);
}

// The 66 letters by code point against their CP866 bytes.
std::vector<std::pair<std::string, unsigned char>> cyrillicLetters() {
    std::vector<std::pair<std::string, unsigned char>> letters;
    for (char32_t cp = 0x410; cp <= 0x42F; ++cp) // А..Я
        letters.emplace_back(utf8Of(cp), 0x80 + (cp - 0x410));
    for (char32_t cp = 0x430; cp <= 0x43F; ++cp) // а..п
        letters.emplace_back(utf8Of(cp), 0xA0 + (cp - 0x430));
    for (char32_t cp = 0x440; cp <= 0x44F; ++cp) // р..я
        letters.emplace_back(utf8Of(cp), 0xE0 + (cp - 0x440));
    letters.emplace_back("Ё", 0xF0);
    letters.emplace_back("ё", 0xF1);
    return letters;
}

TEST(Cp866, EveryCyrillicLetterBothWays) {
    auto letters = cyrillicLetters();
    ASSERT_EQ(letters.size(), 66u);
    for (const auto& [letter, byte] : letters) {
        std::string oem(1, static_cast<char>(byte));
        EXPECT_EQ(CharToCp866(letter), oem) << letter;
        EXPECT_EQ(Cp866ToChar(oem), letter) << int(byte);
        EXPECT_EQ(text::decode(oem, 866), letter) << "published CP866 table";
    }
}

TEST(Cp866, OtherCharacters) {
    struct Case {
        const char* text;
        const char* stored;
        const char* readBack;
    } cases[] = {
        {"Ivanov, 10-B", "Ivanov, 10-B", "Ivanov, 10-B"},
        {"Пётр №5", "\x8F\xF1\xE2\xE0 \xB9\x35", "Пётр №5"}, // № keeps its 1251 byte
        {"日本 é", "?? ?", "?? ?"},                          // neither table
        {"«Ц»", "?\x96\xBB", "?Ц»"},                         // « would read back as Л
        {"€–", "??", "??"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharToCp866(c.text), c.stored) << c.text;
        EXPECT_EQ(Cp866ToChar(CharToCp866(c.text)), c.readBack) << c.text;
    }
    // Box drawing from other writers reads as the 1251 character of its byte.
    EXPECT_EQ(Cp866ToChar("\xB0\xC0\xDF"), "°АЯ");
}

} // namespace
} // namespace qz
