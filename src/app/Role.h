// The one executable holds two programs; its own file name chooses which runs.
#pragma once

#include <string_view>

namespace qz {

enum class Role { Installer, ConfigurationTool };

// The configuration tool runs under the file name QZ4Setup.exe in any letter
// case and in any folder; every other name runs the installer.
Role RoleForProgram(std::string_view programPath);

} // namespace qz
