// Removing a folder with everything in it, as the installer does with its
// TEMP folder; failures are ignored and leave what could not go.
#pragma once

#include "platform/FileSystem.h"

#include <string>

namespace qz {

void DeleteFolderTree(FileSystem& files, const std::string& folder);

} // namespace qz
