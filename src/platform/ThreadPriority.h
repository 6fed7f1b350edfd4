// Scheduling of the program's own helper threads.
#pragma once

namespace qz {

// Lets every thread of normal priority run before the calling one when they
// compete for a processor: for helpers whose work only matters once a thread
// of normal priority asks for it.
void lowerCurrentThreadPriority();

} // namespace qz
