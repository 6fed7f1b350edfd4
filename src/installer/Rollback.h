// Undoing an installation whose archive could not be read to its end: the
// files it placed, its TEMP folder, and the folders it created go again, so
// that nothing of it is left behind. Files that were there before and were
// kept (the user's results and settings) stay.
#pragma once

#include "installer/EntryPlacement.h"

namespace qz {

void RollBackInstallation(FileSystem& files, const InstallerSetup& setup,
                          const PlacementRecord& record);

} // namespace qz
