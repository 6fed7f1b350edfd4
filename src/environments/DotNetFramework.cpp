#include "environments/DotNetFramework.h"

#include "environments/Guarded.h"

#include <cctype>

namespace qz {

std::string DefaultFrameworkVersion(const Registry& registry) {
    const std::string key = "\\SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Full";
    std::string installed = Guarded([&] {
        return registry.keyExists(RegistryRoot::LocalMachine, key)
                   ? registry.readString(RegistryRoot::LocalMachine, key, "Version").value_or("")
                   : std::string();
    });
    std::size_t dot = installed.rfind('.');
    // 4.8.04084 -> 4.8; a dot among the last two characters is kept.
    if (dot != std::string::npos && dot + 2 < installed.size())
        installed.resize(dot);
    return installed.empty() ? std::string("v4.0") : installed.insert(0, 1, 'v');
}

bool IsValidFrameworkVersion(std::string_view version) {
    if (version.size() != 4 && version.size() != 6)
        return false;
    if (version.substr(0, 3) != "v4." || version[3] < '7' || version[3] > '9')
        return false;
    return version.size() == 4 ||
           (version[4] == '.' && std::isdigit(static_cast<unsigned char>(version[5])));
}

} // namespace qz
