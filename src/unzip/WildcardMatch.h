// Wildcard patterns that select archive entries: "*" matches any run of
// characters, "?" any one, and "<set>" one character of the set, where "a-z"
// is a range and a leading "^" or "!" negates the set. Case matters; callers
// lower-case both sides.
#pragma once

#include <string_view>

namespace qz {

bool WildcardMatch(std::string_view name, std::string_view pattern);

} // namespace qz
