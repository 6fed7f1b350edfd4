#include "installer/FileDate.h"

#include <cstdio>

namespace qz {

std::optional<DosDateTime> LocalDateOf(const SystemInfo& system, FileTime time) {
    if (auto packed = system.fileTimeToDosDateTime(time))
        return DosDateTime::unpack(*packed);
    return std::nullopt;
}

std::string FormatDate(const DosDateTime& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04u", date.day, date.month, date.year);
    return text;
}

} // namespace qz
