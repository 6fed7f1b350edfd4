#include "installer/FolderTree.h"

namespace qz {

void DeleteFolderTree(FileSystem& files, const std::string& folder) {
    for (const NameEntry& entry : files.listNames(folder)) {
        const std::string path = folder + "\\" + entry.name;
        if (entry.isDirectory) {
            DeleteFolderTree(files, path);
        } else {
            if (auto attributes = files.attributes(path);
                attributes && (*attributes & AttrReadOnly))
                files.setAttributes(path, *attributes & ~AttrReadOnly);
            files.deleteFile(path);
        }
    }
    files.removeDirectory(folder);
}

} // namespace qz
