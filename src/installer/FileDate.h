// The local calendar date of a file's time, for the dates the installer
// shows and compares (the build date of the data file, the age of an old
// library).
#pragma once

#include "platform/DosDateTime.h"
#include "platform/SystemInfo.h"

#include <optional>
#include <string>

namespace qz {

// Nothing outside the years the system converts (1980 to 2107).
std::optional<DosDateTime> LocalDateOf(const SystemInfo& system, FileTime time);
// "dd.mm.yyyy".
std::string FormatDate(const DosDateTime& date);

} // namespace qz
