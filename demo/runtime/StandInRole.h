// The four programs of the problem book's runtime, as the demo distribution
// stands in for them: one executable that takes its role from its own file
// name, as the real programs are started by name through their shortcuts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qz::demo {

struct StandInRole {
    std::string_view fileName; // as installed, for example "QZ4Res.exe"
    std::string_view title;    // window caption
    std::string_view purpose;  // what the real program does
    bool showsStudent;         // reads the student name back from results.dat
};

// The role for a program path (any letter case), or nothing for another name.
std::optional<StandInRole> StandInRoleFor(std::string_view programPath);

} // namespace qz::demo
