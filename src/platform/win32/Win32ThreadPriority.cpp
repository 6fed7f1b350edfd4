#include "platform/ThreadPriority.h"

#include <windows.h>

namespace qz {

void lowerCurrentThreadPriority() {
    // Failing leaves the thread as it was, which only costs speed.
    (void)SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

} // namespace qz
