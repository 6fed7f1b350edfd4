// Formats catalogue texts: %s and %d take the next argument, %0:s takes
// argument 0 and moves the plain placeholders on after it; %% is a percent sign.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qz {

using FormatArg = std::variant<std::string, long long>;

std::string Format(std::string_view pattern, const std::vector<FormatArg>& args);

} // namespace qz
