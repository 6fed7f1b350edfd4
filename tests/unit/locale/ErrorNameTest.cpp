#include "locale/ErrorName.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace qz {
namespace {

class EDiskGone : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

TEST(ErrorName, TheErrorsOwnClassWithoutNamespaces) {
    EXPECT_EQ(ErrorClassName(EDiskGone("x")), "EDiskGone");
    EXPECT_EQ(ErrorClassName(std::invalid_argument("x")), "invalid_argument");
    EXPECT_EQ(ErrorClassName(std::bad_alloc()), "bad_alloc");
    // Seen through a reference to its base, as a handler catches it.
    const std::exception& base = EDiskGone("x");
    EXPECT_EQ(ErrorClassName(base), "EDiskGone");
}

TEST(ErrorName, DescribesAnyError) {
    EXPECT_EQ(DescribeError(std::make_exception_ptr(EDiskGone("drive E: is gone"))),
              "EDiskGone: drive E: is gone");
    EXPECT_EQ(DescribeError(std::make_exception_ptr(42)), "Exception");
}

} // namespace
} // namespace qz
