// What an installation owns, as the uninstall record may claim it: files and
// folder trees strictly inside the installation folder (the folder above the
// record's UNINST folder), and the shortcut table's links in the program
// group and on the desktop. A record may have been written by anyone who
// could write into the installation folder, so every other line is foreign:
// neither the installer's merge nor the uninstaller acts on it.
#pragma once

#include "platform/FileSystem.h"
#include "platform/SystemInfo.h"

#include <string>
#include <string_view>
#include <vector>

namespace qz {

// No uninstall record the installer writes comes near this size; a larger
// file is not one and is not read.
inline constexpr std::uint64_t MaxUninstallRecordBytes = 4 << 20;

// A full path that names exactly what it says: a drive or share root
// followed by plain names. No '/', no "." or ".." or empty components, no
// wildcard, stream colon or control character, no name ending in a dot or
// a blank (the system would drop them and name another file).
bool IsPlainFullPath(std::string_view path);

// The installation folder of an uninstall record at path: the folder above
// its own folder ("C:\QZ4\UNINST\qz4.log" gives "C:\QZ4").
std::string InstallationFolderOfRecord(const std::string& recordPath);

// The link files of the shortcut table for an installation folder.
std::vector<std::string> InstallationLinkFiles(const std::string& installDir,
                                               const std::string& programsDir,
                                               const std::string& desktopDir,
                                               const std::string& systemDir);
// Those of an installation for the current user and of one for all users
// (when the system has common folders): the same folder may have been
// installed either way, one run after the other.
std::vector<std::string> InstallationLinkFiles(const std::string& installDir,
                                               const SystemInfo& system);

enum class RecordLineKind {
    Tree,   // "<folder>\a": the folder with all it holds
    File,   // a file or link to remove
    Foreign // not the installation's: never acted on
};

class InstallationBounds {
public:
    InstallationBounds(std::string installDir, std::vector<std::string> linkFiles);

    // What a record line after the message line names. A folder line's folder
    // is the line without its "\a".
    RecordLineKind classify(const std::string& line) const;
    // True when path lies strictly inside the installation folder.
    bool inside(const std::string& path) const;
    const std::string& installDir() const { return installDir_; }

private:
    std::string installDir_;
    std::vector<std::string> linkFiles_;
    bool usable_; // a plain full path that is not a root
};

// True when a folder on the way from the installation folder down to path
// (path itself not included) is a link, so that acting on path would act on
// whatever the link leads to.
bool ReachedThroughLink(const FileSystem& files, const std::string& installDir,
                        const std::string& path);

} // namespace qz
