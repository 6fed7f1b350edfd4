// Formats catalogue texts: %s and %d take the next argument, %0:s takes
// argument 0 and moves the plain placeholders on after it; %% is a percent sign.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qz {

using FormatArg = std::variant<std::string, long long>;

// Never fails: a placeholder whose argument is missing, and any '%' that
// starts no placeholder, stay in the result as written; an argument of the
// other kind is shown as it is (a number in decimal, a text unchanged).
std::string Format(std::string_view pattern, const std::vector<FormatArg>& args);

// One placeholder of a pattern as Format reads it: the number of the
// argument it takes and its kind ('s' or 'd').
struct FormatPlaceholder {
    std::size_t argument;
    char kind;
    bool operator==(const FormatPlaceholder&) const = default;
};

// The placeholders of a pattern in the order they appear.
std::vector<FormatPlaceholder> FormatPlaceholders(std::string_view pattern);

} // namespace qz
