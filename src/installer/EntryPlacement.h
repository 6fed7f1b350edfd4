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
#include <unordered_set>
#include <vector>

namespace qz {

// An existing file that an entry replaced, kept until the installation ends
// so that a rollback can put it back.
struct ReplacedFile {
    std::string target;
    std::string backup;
    std::uint32_t attributes = 0;
};

struct PlacementRecord {
    // Lines of the uninstall record: the message line first, then every path
    // installed outside the system folder (kept user files included).
    std::vector<std::string> uninstallList;
    // Files this run moved into place, which a rollback removes again; not
    // the system folders' files it replaced.
    std::vector<std::string> placedFiles;
    std::unordered_set<std::string> placedKeys; // the same, upper-cased
    // A ProblemListItem for each file that could not be replaced or created.
    std::string notUpdated;
    std::string notCreated;
    std::vector<ReplacedFile> replaced;
    // Upper-cased folders this run created, outermost first.
    std::vector<std::string> createdDirs;
    // Links and the program group the finishing steps made.
    std::vector<std::string> createdLinks;
    bool groupCreated = false;
    // Lines of an earlier uninstall record that named what is not ours.
    std::vector<std::string> droppedRecordLines;
    // The key of the entry in the list of installed programs, once written.
    std::string uninstallEntry;

    void placed(const std::string& target);
};

// Makes the installer's temporary folder inside installDir under a name no
// folder there has, so that nothing of anyone else's is in it; empty when
// none can be made.
std::string CreateTemporaryFolder(FileSystem& files, const std::string& installDir);

// The target of an archive path: SystemDir, WindowsDir or InstallDir below.
std::string PlacementTarget(const InstallerSetup& setup, const std::string& archivePath);

// One name in a list of problems of the final message: "\"name\", ".
std::string ProblemListItem(const std::string& name);

// What became of an entry, for the installation's log.
enum class Placement {
    Placed,     // moved into place (replacing the file there, if any)
    Kept,       // the user's own file was there and stays
    KeptNewer,  // the system folder's copy is as new or newer and stays
    Excluded,   // below an excluded folder: not installed
    NotUpdated, // the file there could not be replaced
    NotCreated, // the file could not be made
};
const char* PlacementName(Placement placement);

// Places the extracted copy <extractionDir>\<archivePath>. An existing
// target is first copied to the backup folder, then deleted; one that
// cannot be deleted raises the locked-file question (Retry/Ignore).
Placement PlaceEntry(Platform& platform, const InstallerSetup& setup, PlacementRecord& record,
                     const std::string& archivePath);

} // namespace qz
