#include "platform/ThreadPriority.h"

#include <sys/resource.h>
#include <unistd.h>

namespace qz {

void lowerCurrentThreadPriority() {
    // On Linux a thread id names the thread alone. A weight of about a tenth
    // of a normal thread's; failing leaves the thread as it was, which only
    // costs speed.
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
}

} // namespace qz
