#include "installer/ShortcutTable.h"

namespace qz {

std::vector<ShortcutRow> ShortcutTable(const std::string& programsDir,
                                       const std::string& desktopDir,
                                       const std::string& systemDir) {
    const std::string group = programsDir + GroupFolder;
    const std::string uninstaller = UninstallerPath(systemDir);
    const std::string record = std::string("\"%InstallDir%\\UNINST\\") + LogName + "\"";
    auto program = [&](const char* name, const char* file, const std::string& folder) {
        return ShortcutRow{name, std::string("%InstallDir%\\") + file, "", "%InstallDir%", folder};
    };
    return {
        {"QZ4Uninstall", uninstaller, record, systemDir, "%InstallDir%\\UNINST"},
        {"QZ4 Uninstall", uninstaller, record, systemDir, group},
        program("QZ4 Setup", "qz4setup.exe", group),
        program("QZ4 Demo", "QZ4Demo.exe", group),
        program("QZ4 Load", "QZ4Load.exe", group),
        program("QZ4 Results", "QZ4Res.exe", group),
        program("QZ4 Readme", "readme.txt", group),
        program("QZ4 Readme (en)", "readme_en.txt", group),
        program("QZ4 Panel", "QZ4Panel.exe", group),
        program("QZ4 Panel", "QZ4Panel.exe", desktopDir),
        program("QZ4 Help", "QZ4Help.chm", group),
        program("QZ4 Help (en)", "QZ4Help_en.chm", group),
    };
}

std::string UninstallerPath(const std::string& systemDir) {
    return systemDir + "\\sysunima.exe";
}

std::string LinkFile(const ShortcutRow& row) {
    return row.folder + "\\" + row.name + ".lnk";
}

} // namespace qz
