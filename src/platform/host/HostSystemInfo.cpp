#include "platform/host/HostSystemInfo.h"

#include "text/Text.h"

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

} // namespace qz
