// An open file of the host system, on a POSIX descriptor; both host file
// systems hand these out.
#pragma once

#include "platform/FileSystem.h"

namespace qz {

// Takes ownership of an open descriptor.
std::unique_ptr<File> MakePosixFile(int fd);

} // namespace qz
