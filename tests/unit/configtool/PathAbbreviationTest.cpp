#include "configtool/PathAbbreviation.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct AbbreviationCase {
    const char* path;
    int characters; // the width, in characters of the measure below
    const char* shown;
};

class PathAbbreviationTest : public ::testing::TestWithParam<AbbreviationCase> {};

TEST_P(PathAbbreviationTest, FitsThePathIntoTheWidth) {
    const AbbreviationCase& c = GetParam();
    // Six pixels a character, as the host measures.
    auto measure = [](const std::string& text) { return static_cast<int>(text.size()) * 6; };
    EXPECT_EQ(AbbreviatePath(c.path, c.characters * 6, measure), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathAbbreviationTest,
    ::testing::Values(
        AbbreviationCase{"C:\\Dev-Cpp\\devcpp.exe", 40, "C:\\Dev-Cpp\\devcpp.exe"},
        AbbreviationCase{"C:\\Program Files\\Dev-Cpp\\devcpp.exe", 30,
                         "C:\\...\\Dev-Cpp\\devcpp.exe"},
        AbbreviationCase{"C:\\Program Files\\Dev-Cpp\\devcpp.exe", 20, "C:\\...\\devcpp.exe"},
        AbbreviationCase{"C:\\Program Files\\Dev-Cpp\\devcpp.exe", 16, "...\\devcpp.exe"},
        AbbreviationCase{"C:\\A\\B\\C\\D\\tool.exe", 15, "C:\\...\\tool.exe"},
        AbbreviationCase{"C:\\tool.exe", 9, "tool.exe"},
        // Still too wide with everything dropped: cut at the first blank.
        AbbreviationCase{"C:\\X\\Visual Studio Code.exe", 12, "...\\Visual..."},
        AbbreviationCase{"", 10, ""}));

} // namespace
} // namespace qz
