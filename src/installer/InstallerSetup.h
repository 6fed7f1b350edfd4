// What the installer knows before it places anything: where it runs from,
// the system's folders, its optional ini file beside itself, and the tables
// the later steps read (shortcut rows, excluded folders, the configuration
// tool's launch). Filled at the wizard's start-up; read by the progress
// window and the finishing steps.
#pragma once

#include "installer/ShortcutTable.h"
#include "platform/Platform.h"

#include <string>
#include <vector>

namespace qz {

inline constexpr char InstallerVersion[] = "4.27";
inline constexpr char ProductName[] = "Quazzle";
inline constexpr char SetupProgram[] = "QZ4Setup.exe";

// The product noun of the messages in the active language.
std::string ProductNounNominative();
std::string ProductNounGenitive();
// "QZ4 Install" / "Установка Quazzle".
std::string InstallerTitle();

struct InstallerSetup {
    std::string startDir;        // the installer's folder, no trailing backslash
    std::string programFilesDir; // "C:\Program Files"
    std::string installDir;      // chosen when Install is pressed
    // Folders the install checks made for installDir, outermost first.
    std::vector<std::string> createdInstallDirs;
    // The installer's own folder inside installDir, made afresh when the
    // extraction starts: the archive is extracted into its "files" folder,
    // and the files an entry replaces are kept in its "replaced" folder
    // until the installation has ended.
    std::string tempDir;
    std::string extractionDir() const { return tempDir + "\\files"; }
    std::string backupDir() const { return tempDir + "\\replaced"; }
    std::string systemDir;
    std::string windowsDir;
    std::string programsDir; // the Start menu's programs; empty when unknown
    std::string desktopDir;
    std::string dataFileName; // the installer's own name with ".dat"
    int volumeCount = 1;

    // The installer's ini file.
    std::string proposedInstallDir; // [Main] InstallDir, placeholder replaced
    bool autoRun = false;
    bool finalMessage = true;
    bool startMenu = true;
    bool desktop = true;
    bool runSetup = true;
    std::vector<std::string> excludeDirValues; // [ExcludeDir] 1..20 as written
    std::vector<std::string> excludedDirs;     // upper-cased when Install is pressed

    // The configuration tool started at the end.
    std::string setupLaunchPath = "%InstallDir%\\qz4setup.exe";
    std::string setupLaunchDir = "%InstallDir%";
    std::string setupParameters; // "-l" and the language code

    std::vector<ShortcutRow> shortcuts;

    // Volume i (from 1) of the data file: "x.dat", then "x.dat2", ...
    std::string volumePath(int volume) const;
    std::string volumeName(int volume) const;
};

// Start-up steps before any window: the folder of the executable, the
// Program Files folder, the ini file and the system's folders. The shortcut
// table is built from them.
InstallerSetup ReadInstallerSetup(Platform& platform);

// The Program Files folder: the registry's value, else the first drive from
// C: with "Program Files (x86)" or "Program Files", else the first drive
// that exists ("D:"); empty when no drive exists.
std::string FindProgramFilesDir(const Registry& registry, const FileSystem& files);

// Every "%INSTALLDIR%" (any letter case) becomes installDir, then every
// "%STARTDIR%" becomes startDir, with a backslash after a bare drive ("D:").
std::string ReplacePlaceholders(const std::string& text, const std::string& installDir,
                                const std::string& startDir);

// Replaces the placeholders in the launch of the configuration tool and in
// every shortcut row, once InstallDir is known.
void ResolvePlaceholders(InstallerSetup& setup);

} // namespace qz
