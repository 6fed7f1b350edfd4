// Undoing an installation whose archive could not be read to its end: the
// files it placed go, the files they replaced come back from the backup
// folder, and its links, program group, temporary folder and the folders it
// created (the install checks' included) go again, so that the computer is
// as it was before. Files that were there before and were kept (the user's
// results and settings) stay.
#pragma once

#include "installer/EntryPlacement.h"

namespace qz {

void RollBackInstallation(FileSystem& files, const InstallerSetup& setup,
                          const PlacementRecord& record);

} // namespace qz
