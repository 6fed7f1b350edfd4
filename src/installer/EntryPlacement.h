// Moves each extracted archive entry from the installation's TEMP folder to
// its place, as soon as it has been extracted: entries below SYSTEM\ and
// WINDOWS\ go to the system folders (without replacing newer files there,
// except the core libraries), everything else below InstallDir; the user's
// own results and settings at the top level are never replaced; excluded
// folders are not installed. What happened is kept for the uninstall record,
// the final message and a rollback.
#pragma once

#include "installer/InstallerSetup.h"

#include <string>
#include <vector>

namespace qz {

struct PlacementRecord {
    // Lines of the uninstall record: the message line first, then every path
    // installed outside the system folder (kept user files included).
    std::vector<std::string> uninstallList;
    // Files this run moved into place, which a rollback removes again; not
    // the system folders' files it replaced.
    std::vector<std::string> placedFiles;
    // "\"path\", " for each file that could not be replaced or created.
    std::string notUpdated;
    std::string notCreated;
    // Upper-cased folders this run created, outermost first.
    std::vector<std::string> createdDirs;
};

// The target of an archive path: SystemDir, WindowsDir or InstallDir below.
std::string PlacementTarget(const InstallerSetup& setup, const std::string& archivePath);

// Places the extracted copy InstallDir\TEMP\<archivePath>. A target that
// cannot be deleted raises the locked-file question (Retry/Ignore).
void PlaceEntry(Platform& platform, const InstallerSetup& setup, PlacementRecord& record,
                const std::string& archivePath);

} // namespace qz
