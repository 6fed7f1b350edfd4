// Where programs are installed on this computer: the Program Files folder,
// the fixed roots searched for environments, and the fixed-drive test that
// every candidate path passes.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"

#include <string>
#include <vector>

namespace qz {

// The registry's ProgramFilesDir; else the first "Program Files (x86)" or
// "Program Files" on the fixed drives from C: on; else the first fixed drive
// ("D:"). Empty when there is none.
std::string ProgramFilesDirectory(const Registry& registry, const FileSystem& files);

// "c:", "d:", the Program Files folder, then both Program Files folders of
// C: and D:. Candidates append a tail that starts with "\".
std::vector<std::string> StandardSearchRoots(const std::string& programFiles);
// The Program Files folder, then both Program Files folders of C: and D:.
std::vector<std::string> ProgramFilesRoots(const std::string& programFiles);

// The path is not empty, names a file that exists, and lies on a fixed drive.
bool IsOnFixedDrive(const FileSystem& files, const std::string& path);
// The drive named by the path's first letter is a fixed drive.
bool StartsWithFixedDrive(const FileSystem& files, const std::string& path);

// APPDATA cut at "\Roaming": C:\Users\name\AppData.
std::string ProfileBaseFolder(const SystemInfo& system);

} // namespace qz
