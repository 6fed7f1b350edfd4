// The four shortcuts of a working directory to the problem book's programs.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Shell.h"

#include <string>

namespace qz {

// Makes Panel.lnk, Demo.lnk, Load.lnk and Results.lnk in `folder`, pointing
// at QZ4Panel.exe, QZ4Demo.exe, QZ4Load.exe and QZ4Res.exe in
// `programDirectory` (with its trailing backslash). A link that exists is
// left alone. Stops at the first failure and returns false; false at once
// when the folder does not exist.
bool CreateWorkDirShortcuts(FileSystem& files, Shell& shell, const std::string& folder,
                            const std::string& programDirectory);

} // namespace qz
