#include "installer/Rollback.h"

#include "installer/FolderTree.h"

namespace qz {

void RollBackInstallation(FileSystem& files, const InstallerSetup& setup,
                          const PlacementRecord& record) {
    for (auto placed = record.placedFiles.rbegin(); placed != record.placedFiles.rend(); ++placed)
        DeleteEntry(files, *placed);
    // Latest first, so that a file replaced twice ends as it was before the run.
    for (auto old = record.replaced.rbegin(); old != record.replaced.rend(); ++old)
        if (files.moveFile(old->backup, old->target, true))
            files.setAttributes(old->target, old->attributes);
    for (const std::string& link : record.createdLinks)
        files.deleteFile(link);
    if (record.groupCreated)
        files.removeDirectory(setup.programsDir + GroupFolder);
    if (!setup.tempDir.empty())
        DeleteFolderTree(files, setup.tempDir);
    files.removeDirectory(setup.installDir + "\\UNINST");
    // Inner folders were created after their parents: the reverse order
    // empties each parent before it is tried. Folders that still hold files
    // (their own before this run) stay.
    for (auto folder = record.createdDirs.rbegin(); folder != record.createdDirs.rend(); ++folder)
        files.removeDirectory(*folder);
    files.removeDirectory(setup.installDir);
    for (auto folder = setup.createdInstallDirs.rbegin(); folder != setup.createdInstallDirs.rend();
         ++folder)
        files.removeDirectory(*folder);
}

} // namespace qz
