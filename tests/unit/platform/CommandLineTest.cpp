#include "platform/CommandLine.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> words;
};

TEST(SplitCommandLine, QuotesGroupAndBackslashesStay) {
    const SplitCase cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"QZ4Setup.exe", {"QZ4Setup.exe"}},
        {"\"C:\\Program Files\\QZ4\\QZ4Setup.exe\" -FAST",
         {"C:\\Program Files\\QZ4\\QZ4Setup.exe", "-FAST"}},
        // The quoted folder with its trailing backslash, before and after other words.
        {"p \"C:\\My Dir\\\"", {"p", "C:\\My Dir\\"}},
        {"p \"C:\\My Dir\\\" -lru", {"p", "C:\\My Dir\\", "-lru"}},
        {"p C:\\Dir\\ -FAST", {"p", "C:\\Dir\\", "-FAST"}},
        {"p \\\\srv\\share\\", {"p", "\\\\srv\\share\\"}},
        {"p a\\\\\"b c\"", {"p", "a\\\\b c"}},
        {"p  a \t b  ", {"p", "a", "b"}},
        {"p a\"b c\"d", {"p", "ab cd"}},
        {"p \"\" x", {"p", "", "x"}},
        {"p \"open", {"p", "open"}},
        {"p \"Папка с данными\\\"", {"p", "Папка с данными\\"}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
}

} // namespace
} // namespace qz
