// Splitting the command line the way the program's parameters are meant.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

// Splits a whole command line (program name first) at blanks and tabs.
// Double quotes group and are dropped; a backslash is always kept as it
// stands, so the quoted folder "C:\My Dir\" gives C:\My Dir\ (the system's
// own splitter would read the final \" as an escaped quote).
std::vector<std::string> SplitCommandLine(std::string_view line);

} // namespace qz
