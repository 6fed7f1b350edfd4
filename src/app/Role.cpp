#include "app/Role.h"

#include "text/Text.h"

namespace qz {

Role RoleForProgram(std::string_view programPath) {
    std::size_t cut = programPath.find_last_of("\\/:");
    std::string_view fileName =
        cut == std::string_view::npos ? programPath : programPath.substr(cut + 1);
    return text::upper(fileName) == "QZ4SETUP.EXE" ? Role::ConfigurationTool : Role::Installer;
}

} // namespace qz
