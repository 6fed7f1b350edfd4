#include "platform/host/HostSystemInfo.h"

#include "platform/DosDateTime.h"
#include "text/Text.h"

#include <algorithm>
#include <ctime>

namespace qz {

std::optional<std::string> HostSystemInfo::environmentVariable(const std::string& name) const {
    auto it = environment.find(text::upperAscii(name));
    if (it == environment.end())
        return std::nullopt;
    return it->second;
}

std::string HostSystemInfo::specialFolder(SpecialFolder folder) const {
    auto it = specialFolders.find(folder);
    return it == specialFolders.end() ? std::string() : it->second;
}

namespace {
constexpr std::int64_t kSeconds1601To1970 = 11644473600LL;
constexpr std::int64_t kTicksPerSecond = 10000000LL;
} // namespace

std::optional<FileTime> HostSystemInfo::dosDateTimeToFileTime(std::uint32_t dosDateTime) const {
    DosDateTime local = DosDateTime::unpack(dosDateTime);
    if (!local.isReal())
        return std::nullopt;
    std::tm fields{};
    fields.tm_year = static_cast<int>(local.year) - 1900;
    fields.tm_mon = static_cast<int>(local.month) - 1;
    fields.tm_mday = static_cast<int>(local.day);
    fields.tm_hour = static_cast<int>(local.hour);
    fields.tm_min = static_cast<int>(local.minute);
    fields.tm_sec = static_cast<int>(local.second);
    fields.tm_isdst = -1; // summer time as the rules have it for that day
    std::time_t seconds = std::mktime(&fields);
    if (seconds == static_cast<std::time_t>(-1))
        return std::nullopt;
    return (static_cast<std::int64_t>(seconds) + kSeconds1601To1970) * kTicksPerSecond;
}

std::optional<std::uint32_t> HostSystemInfo::fileTimeToDosDateTime(FileTime time) const {
    std::int64_t unixTicks = time - kSeconds1601To1970 * kTicksPerSecond;
    // Whole seconds, rounded down also before 1970.
    std::int64_t seconds = unixTicks / kTicksPerSecond - (unixTicks % kTicksPerSecond < 0);
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm fields{};
    if (!::localtime_r(&t, &fields) || fields.tm_year + 1900 < 1980 || fields.tm_year + 1900 > 2107)
        return std::nullopt;
    DosDateTime local;
    local.year = static_cast<unsigned>(fields.tm_year + 1900);
    local.month = static_cast<unsigned>(fields.tm_mon + 1);
    local.day = static_cast<unsigned>(fields.tm_mday);
    local.hour = static_cast<unsigned>(fields.tm_hour);
    local.minute = static_cast<unsigned>(fields.tm_min);
    local.second = static_cast<unsigned>(std::min(fields.tm_sec, 59)); // a leap second
    return local.pack();
}

} // namespace qz
