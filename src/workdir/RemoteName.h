// Names that come from the repository's listings become local file names in
// the program directory. A name that could reach another folder is refused.
#pragma once

#include <string_view>

namespace qz {

// True for a plain file name: not empty, not ".", no "\" or "/", no drive
// colon, no "..", no control characters.
bool IsSafeRemoteName(std::string_view name);

} // namespace qz
