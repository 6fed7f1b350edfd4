// The installation's shortcuts: the twelve rows the installer makes at its
// end, and the link files they give. The uninstaller reads the same table to
// know which links outside the installation folder are the installation's.
#pragma once

#include <string>
#include <vector>

namespace qz {

inline constexpr char GroupFolder[] = "\\Quazzle 4";
inline constexpr char LogName[] = "qz4.log";

// One shortcut: the link file is folder + "\" + name + ".lnk".
struct ShortcutRow {
    std::string name;
    std::string target;
    std::string arguments;
    std::string workingDirectory;
    std::string folder;
};

// The table in its order, with "%InstallDir%" standing for the installation
// folder; programsDir is the Start menu's programs folder.
std::vector<ShortcutRow> ShortcutTable(const std::string& programsDir,
                                       const std::string& desktopDir, const std::string& systemDir);

// The stand-in uninstaller that rows 1 and 2 start.
std::string UninstallerPath(const std::string& systemDir);

// The row's link file.
std::string LinkFile(const ShortcutRow& row);

} // namespace qz
