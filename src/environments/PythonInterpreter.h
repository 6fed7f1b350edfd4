// The Python interpreters IDLE, PyCharm and Wing IDE are connected with.
#pragma once

#include "environments/EnvironmentCatalogue.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

#include <string>

namespace qz {

// pythonw.exe of the newest registered (or conventionally placed) Python
// <major>.N, N from 12 down to 1, that comes with IDLE; empty when none.
std::string FindPythonInterpreter(const Registry& registry, const FileSystem& files,
                                  const std::string& major);

// "Python 3.12.1 (C:\Python312\python.exe)" for the PyCharm and Wing slots:
// the interpreter of the matching IDLE slot, else the one the search finds;
// empty when its include\patchlevel.h is missing.
std::string DescribePythonInterpreter(const Registry& registry, FileSystem& files,
                                      const EnvironmentCatalogue& catalogue, int slot);

} // namespace qz
