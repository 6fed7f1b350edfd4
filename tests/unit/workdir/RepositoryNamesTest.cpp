#include "workdir/DirTemplate.h"
#include "workdir/RemoteName.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(ExpandDirTemplate, EveryCharacterOfTheTable) {
    const DirTemplateValues ivanov{"C:\\Users\\ivan", "abc2401b3xyz", "iv+anov", '2'};
    const DirTemplateValues shortGroup{"C:\\Users\\ivan", "abc2401q", "petrov", '1'};
    const struct {
        const char* dirTemplate;
        const DirTemplateValues& values;
        const char* path;
    } cases[] = {
        {"1", ivanov, "C:\\Users\\ivan\\Desktop\\QZ4"},
        {"2", ivanov, "C:\\Users\\ivan\\Desktop\\QZ5"},
        {"4W", ivanov, "C:\\QZ4Work"},
        {"5", ivanov, "C:\\QZ5"},
        // Group "abc2401b3xyz": D abc, Y 24, G 0, N 1 (b is no digit), A b3xyz.
        {"4D|Y|G|N|A", ivanov, "C:\\QZ4abc2401b3xyz"},
        {"4D-Y_G-N_A", ivanov, "C:\\QZ4abc-24_0-1_b3xyz"},
        // A digit as character 8 belongs to N.
        {"4N_A", {"", "abc24013q", "x", '1'}, "C:\\QZ413_q"},
        {"4WF_B_L", ivanov, "C:\\QZ4Workiv+anov_anov_2"},
        {"4B", {"", "abc2401q", "a-b+c", '1'}, "C:\\QZ4b+c"},
        {"4B", shortGroup, "C:\\QZ4petrov"},
        // Characters without a meaning, separators among them, vanish.
        {"4\\..\\W/:zq \x80\xff", ivanov, "C:\\QZ4Work"},
        // Pieces beyond a short group are empty.
        {"4DYGNA", {"", "ab", "x", '1'}, "C:\\QZ4ab"},
        {"1", {"\\\\srv\\home\\ivan", "ab", "x", '1'}, "\\\\srv\\home\\ivan\\Desktop\\QZ4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandDirTemplate(c.dirTemplate, c.values), c.path) << c.dirTemplate;
}

TEST(ExpandDirTemplate, RefusesControlCharacters) {
    const DirTemplateValues values{"C:\\Users\\ivan", "abc2401q", "petrov", '1'};
    using namespace std::string_view_literals;
    for (auto dirTemplate : {"4W\t"sv, "4\0W"sv, "\x1f"sv, "4W\r"sv})
        EXPECT_EQ(ExpandDirTemplate(dirTemplate, values), std::nullopt);
    EXPECT_EQ(ExpandDirTemplate(" 4W", values), "C:\\QZ4Work");
}

// A folder relative to the current one, or a bare root, is no working
// directory the teacher can have meant.
TEST(ExpandDirTemplate, RefusesWhatIsNoFullPath) {
    const DirTemplateValues values{"C:\\Users\\ivan", "abc2401q", "petrov", '1'};
    const DirTemplateValues noProfile{"", "abc2401q", "petrov", '1'};
    for (const char* dirTemplate : {"", "DYGNA", "W_F", "-4W"})
        EXPECT_EQ(ExpandDirTemplate(dirTemplate, values), std::nullopt) << dirTemplate;
    EXPECT_EQ(ExpandDirTemplate("1", noProfile), std::nullopt);
}

TEST(IsSafeRemoteName, OnlyPlainFileNames) {
    const struct {
        const char* name;
        bool safe;
    } cases[] = {
        {"ivanov.1", true},
        {"iv+an_ov-2.a", true},
        {"a.dir", true},
        {"name with blank.1", true},
        {"", false},
        {".", false},
        {"..", false},
        {"...", false},
        {"ivanov..1", false},
        {"..\\ivanov.1", false},
        {"sub\\ivanov.1", false},
        {"sub/ivanov.1", false},
        {"/etc/ivanov.1", false},
        {"C:ivanov.1", false},
        {"ivanov.1:stream", false},
        {"\\\\srv\\share\\x.1", false},
        {"line\nbreak.1", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSafeRemoteName(c.name), c.safe) << c.name;
}

} // namespace
} // namespace qz
