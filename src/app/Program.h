// The whole program after the system has been wrapped in ports: the language
// choice, then the role chosen by the executable's name.
#pragma once

#include "platform/Ftp.h"
#include "platform/Platform.h"

namespace qz {

// The exit status of a run that an error no handler dealt with has ended.
inline constexpr int UnexpectedErrorStatus = 4;

// Runs the installer or the configuration tool to its end; the configuration
// tool reaches the teacher's repository through ftp. An error that no
// handler dealt with is shown in an error box (class name and message) and
// ends the run. Returns the exit status: the installer's outcome, 0 for the
// configuration tool with its window, ConfigureOutcome for it without one.
int RunProgram(Platform& platform, Ftp& ftp);

} // namespace qz
