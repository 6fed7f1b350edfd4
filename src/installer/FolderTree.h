// Removing a folder with everything in it, as the installer does with its
// temporary folder and the uninstaller with a record's folder lines. A link
// met on the way (the folder itself included) goes as a link: what it leads
// to is never entered.
#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <vector>

namespace qz {

// Removes what it can and returns the paths that stayed, outermost last.
std::vector<std::string> DeleteFolderTree(FileSystem& files, const std::string& folder);

// Removes one file or link, clearing a read-only attribute first; a link to
// a folder goes as a link. False when it stays.
bool DeleteEntry(FileSystem& files, const std::string& path);

} // namespace qz
