// The configuration tool without its window, for a lab set up from a script:
// "QZ4Setup.exe -AUTO [-LOG=file]" runs the start-up (detection, the
// environments connected as the window connects them) and writes QZ.INI as
// the close does. Every message goes to the log, answered by the documented
// defaults; none waits for a person.
#pragma once

#include "platform/Ftp.h"
#include "platform/Platform.h"

#include <optional>
#include <string>
#include <vector>

namespace qz {

struct WindowlessRequest {
    std::string logFile; // empty: no log
};

// The request when the parameters hold -AUTO (any letter case, "-" or "/").
std::optional<WindowlessRequest> ReadWindowlessRequest(const std::vector<std::string>& parameters);

// The exit status: ConfigureOutcome, 4 for an unexpected error, 5 when the
// log cannot be written.
int ConfigureWithoutWindow(Platform& platform, Ftp& ftp, const WindowlessRequest& request);

} // namespace qz
