#include "platform/PathRoot.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(PathRootLength, DrivesSharesAndRelativePaths) {
    const struct {
        const char* path;
        std::size_t root;
    } cases[] = {
        {"", 0},
        {"a\\b", 0},
        {"\\a", 1},
        {"C:", 2},
        {"C:a", 2},
        {"C:\\", 3},
        {"X:\\a\\b", 3},
        {"c:/a", 3},
        {"\\\\srv", 5},
        {"\\\\srv\\share", 11},
        {"\\\\srv\\share\\", 12},
        {"\\\\srv\\share\\x\\y", 12},
        {"//srv/share/x", 12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PathRootLength(c.path), c.root) << c.path;
}

} // namespace
} // namespace qz
