#include "platform/host/HostShell.h"

namespace qz {

bool HostShell::openDocument(const std::string& target) {
    requests.push_back({ShellRequest::Kind::Open, target, "", ""});
    return succeed;
}

bool HostShell::exploreFolder(const std::string& folder) {
    requests.push_back({ShellRequest::Kind::Explore, folder, "", ""});
    return succeed;
}

bool HostShell::startProgram(const std::string& path, const std::string& parameters,
                             const std::string& directory) {
    requests.push_back({ShellRequest::Kind::Start, path, parameters, directory});
    return succeed;
}

} // namespace qz
