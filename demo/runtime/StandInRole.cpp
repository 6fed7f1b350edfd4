#include "StandInRole.h"

#include "text/Text.h"

namespace qz::demo {

namespace {

constexpr StandInRole Roles[] = {
    {"QZ4Demo.exe", "QZ4 Demo", "shows the problem book's tasks in demo mode", false},
    {"QZ4Load.exe", "QZ4 Load",
     "creates a task's program from the templates of the working directory's environment", false},
    {"QZ4Res.exe", "QZ4 Results", "shows the student's results recorded in results.dat", true},
    {"QZ4Panel.exe", "QZ4 Panel", "starts the problem book's programs for a working directory",
     false},
};

} // namespace

std::optional<StandInRole> StandInRoleFor(std::string_view programPath) {
    std::size_t cut = programPath.find_last_of("\\/:");
    std::string name =
        text::upper(cut == std::string_view::npos ? programPath : programPath.substr(cut + 1));
    for (const StandInRole& role : Roles)
        if (text::upper(role.fileName) == name)
            return role;
    return std::nullopt;
}

} // namespace qz::demo
