#include "installer/FolderTree.h"

namespace qz {

bool DeleteEntry(FileSystem& files, const std::string& path) {
    auto attributes = files.attributes(path);
    if (!attributes)
        return true;
    if (*attributes & AttrReadOnly)
        files.setAttributes(path, *attributes & ~std::uint32_t{AttrReadOnly});
    if (*attributes & AttrDirectory)
        return (*attributes & AttrReparsePoint) && files.removeDirectory(path);
    return files.deleteFile(path);
}

std::vector<std::string> DeleteFolderTree(FileSystem& files, const std::string& folder) {
    std::vector<std::string> stayed;
    auto attributes = files.attributes(folder);
    if (!attributes)
        return stayed;
    if (!(*attributes & AttrDirectory) || (*attributes & AttrReparsePoint)) {
        if (!DeleteEntry(files, folder))
            stayed.push_back(folder);
        return stayed;
    }
    for (const NameEntry& entry : files.listNames(folder)) {
        const std::string path = folder + "\\" + entry.name;
        if (entry.isDirectory && !entry.isLink) {
            std::vector<std::string> inner = DeleteFolderTree(files, path);
            stayed.insert(stayed.end(), inner.begin(), inner.end());
        } else if (!DeleteEntry(files, path)) {
            stayed.push_back(path);
        }
    }
    if (!files.removeDirectory(folder))
        stayed.push_back(folder);
    return stayed;
}

} // namespace qz
