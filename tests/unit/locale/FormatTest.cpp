#include "locale/Format.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(FormatTest, FillsPlaceholdersInTurnAndByNumber) {
    struct Case {
        const char* pattern;
        std::vector<FormatArg> args;
        const char* expected;
    } cases[] = {
        {"", {}, ""},
        {"no placeholders", {"x"}, "no placeholders"},
        {"%s and %s", {"a", "b"}, "a and b"},
        {"%d files, %d folders", {42LL, -3LL}, "42 files, -3 folders"},
        {"%s, then %0:s again", {"a"}, "a, then a again"},
        // An indexed placeholder moves the plain ones on after it.
        {"%1:s %s", {"a", "b", "c"}, "b c"},
        {"%s %0:s %s", {"a", "b"}, "a a b"},
        {"%s %s %0:s.exe", {"gcc", "Dev-C++"}, "gcc Dev-C++ gcc.exe"},
        {"%1:d/%0:d", {1LL, 2LL}, "2/1"},
        {"%S %D", {"up", 5LL}, "up 5"},
        {"100%%", {}, "100%"},
        {"%%s", {"a"}, "%s"},
        // Arguments are inserted as they are, never read as patterns.
        {"%s %s", {"%d", "%%"}, "%d %%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.pattern, c.args), c.expected) << c.pattern;
}

TEST(FormatTest, NeverFailsOnMissingArgumentsKindsOrStrayPercentSigns) {
    struct Case {
        const char* pattern;
        std::vector<FormatArg> args;
        const char* expected;
    } cases[] = {
        // A missing argument leaves its placeholder visible.
        {"%s and %s", {"a"}, "a and %s"},
        {"%d", {}, "%d"},
        {"%2:s, %s", {"a", "b"}, "%2:s, %s"},
        {"%0:s %s", {"a"}, "a %s"},
        // The other kind of argument is shown as it is.
        {"%d items", {"many"}, "many items"},
        {"folder %s", {7LL}, "folder 7"},
        // A percent sign that starts no placeholder stands for itself.
        {"50% off", {"x"}, "50% off"},
        {"ends in %", {"x"}, "ends in %"},
        {"%5d %-3s %.2f", {"x"}, "%5d %-3s %.2f"},
        {"%0:x %0: %0s", {"x"}, "%0:x %0: %0s"},
        {"%99999999999999999999999:s", {"x"}, "%99999999999999999999999:s"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.pattern, c.args), c.expected) << c.pattern;
}

TEST(FormatTest, ListsPlaceholdersAsFormatReadsThem) {
    using P = FormatPlaceholder;
    EXPECT_EQ(FormatPlaceholders("%s %0:s %d %% 5% %3:s %s"),
              (std::vector<P>{{0, 's'}, {0, 's'}, {1, 'd'}, {3, 's'}, {4, 's'}}));
    EXPECT_TRUE(FormatPlaceholders("100%% of %x").empty());
}

} // namespace
} // namespace qz
