// The installer's role from its command line to its exit status: the wizard
// for a person, or an unattended installation whose questions are answered
// by the documented defaults, each with its log when /LOG asks for one.
#pragma once

#include "platform/Platform.h"

namespace qz {

// The process's exit status (InstallOutcome).
int RunInstaller(Platform& platform);

} // namespace qz
