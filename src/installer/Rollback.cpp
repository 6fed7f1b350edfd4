#include "installer/Rollback.h"

#include "installer/FolderTree.h"

namespace qz {

void RollBackInstallation(FileSystem& files, const InstallerSetup& setup,
                          const PlacementRecord& record) {
    for (const std::string& path : record.placedFiles) {
        if (auto attributes = files.attributes(path); attributes && (*attributes & AttrReadOnly))
            files.setAttributes(path, *attributes & ~AttrReadOnly);
        files.deleteFile(path);
    }
    DeleteFolderTree(files, setup.installDir + "\\TEMP");
    files.removeDirectory(setup.installDir + "\\UNINST");
    // Inner folders were created after their parents: the reverse order
    // empties each parent before it is tried. Folders that still hold files
    // (their own before this run) stay.
    for (auto folder = record.createdDirs.rbegin(); folder != record.createdDirs.rend(); ++folder)
        files.removeDirectory(*folder);
    files.removeDirectory(setup.installDir);
}

} // namespace qz
