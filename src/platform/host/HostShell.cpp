#include "platform/host/HostShell.h"

#include "platform/host/ShellLinkFile.h"

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

bool HostShell::createShortcut(const std::string& linkPath, const ShellLink& link) {
    if (!files_)
        return false;
    if (files_->fileExists(linkPath))
        return true;
    std::unique_ptr<File> file = files_->open(linkPath, OpenMode::Create);
    if (!file)
        return false;
    std::string bytes = encodeShellLink(link);
    if (file->write(bytes.data(), bytes.size()) == bytes.size())
        return true;
    file.reset();
    files_->deleteFile(linkPath);
    return false;
}

std::optional<ShellLink> HostShell::readShortcut(const std::string& linkPath) {
    if (!files_)
        return std::nullopt;
    std::unique_ptr<File> file = files_->open(linkPath, OpenMode::Read);
    if (!file)
        return std::nullopt;
    std::string bytes(file->size(), '\0');
    bytes.resize(file->read(bytes.data(), bytes.size()));
    return decodeShellLink(bytes);
}

} // namespace qz
