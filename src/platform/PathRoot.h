// The root of a Windows path: the part that has no parent folder.
#pragma once

#include <cstddef>
#include <string_view>

namespace qz {

// Length of the root at the start of a path: 3 for "C:\", 2 for "C:", the
// share with its separator for "\\server\share\" (without it at the end of
// the text), 1 for "\", 0 for a relative path. '/' counts as '\'.
std::size_t PathRootLength(std::string_view path);

} // namespace qz
