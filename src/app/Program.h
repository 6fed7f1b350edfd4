// The whole program after the system has been wrapped in ports: the language
// choice, then the role chosen by the executable's name.
#pragma once

#include "platform/Ftp.h"
#include "platform/Platform.h"

namespace qz {

// Runs the installer or the configuration tool to its end; the configuration
// tool reaches the teacher's repository through ftp. An error that no
// handler dealt with is shown in an error box (class name and message) and
// ends the run. The process exit code is always 0, so there is nothing to return.
void RunProgram(Platform& platform, Ftp& ftp);

} // namespace qz
