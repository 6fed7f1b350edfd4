// Wildcard patterns that select archive entries: "*" matches any run of
// characters, "?" any one, and "<set>" one character of the set, where "a-z"
// is a range and a leading "^" or "!" negates the set. Case matters; callers
// lower-case both sides.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

bool WildcardMatch(std::string_view name, std::string_view pattern);

// Whether an entry's full name matches one of the patterns, ignoring letter
// case: how FilesList selects entries.
bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns);

} // namespace qz
