// The checks behind the wizard's Install button, each with its message:
// an older installation that must be removed first, an installation folder
// that cannot be created or written, and old core libraries in the system
// folder. They run in order and stop at the first that fails.
#pragma once

#include "installer/InstallerSetup.h"

namespace qz {

// Runs the checks on the folder typed in the wizard; on success InstallDir
// and the excluded folders are set. False when a check failed (its message
// was shown) or the user chose not to go on.
bool RunInstallChecks(Platform& platform, InstallerSetup& setup, const std::string& folderField);

} // namespace qz
