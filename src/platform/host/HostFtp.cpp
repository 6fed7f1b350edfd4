#include "platform/host/HostFtp.h"

#include "platform/host/HostFileSystem.h"

#include <algorithm>

namespace qz {

class HostFtpSession : public FtpSession {
public:
    explicit HostFtpSession(HostFtp& server) : server_(server) { ++server_.openSessions; }
    ~HostFtpSession() override { --server_.openSessions; }

    bool enterFolder(const std::string& folder) override {
        if (folder == ".")
            return true;
        std::string path = current_.empty() ? folder : current_ + "/" + folder;
        if (!server_.folders.contains(path))
            return false;
        current_ = path;
        return true;
    }

    std::optional<std::vector<RemoteFileInfo>>
    listRemoteFiles(const std::string& pattern) override {
        std::vector<RemoteFileInfo> found;
        auto folder = server_.folders.find(current_);
        if (folder == server_.folders.end())
            return found;
        if (folder->second.size() > MaxListedFiles || listed(server_.failingListings, current_))
            return std::nullopt;
        for (const auto& [name, file] : folder->second)
            if (matchesMask(name, pattern))
                found.push_back({name, static_cast<std::uint32_t>(file.content.size()), file.time});
        return found;
    }

    bool downloadFile(const std::string& remoteName, const std::string& localPath) override {
        auto folder = server_.folders.find(current_);
        if (folder == server_.folders.end())
            return false;
        auto file = folder->second.find(remoteName);
        if (file == folder->second.end() || listed(server_.failingDownloads, remoteName))
            return false;
        auto local = server_.files_.open(localPath, OpenMode::Create);
        if (!local)
            return false;
        std::string_view bytes = file->second.content;
        if (listed(server_.truncatedDownloads, remoteName))
            bytes = bytes.substr(0, bytes.size() / 2);
        bool written = local->write(bytes.data(), bytes.size()) == bytes.size();
        return local->close() && written;
    }

private:
    static bool listed(const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    }

    HostFtp& server_;
    std::string current_;
};

RepositorySession HostFtp::openRepositorySession(const std::string& hostField,
                                                 const std::string& folder,
                                                 const std::string& userName,
                                                 const std::string& userPassword) {
    if (!internetAvailable)
        return {SessionStatus::NoInternet, nullptr};
    FtpAddress address = SplitFtpAddress(hostField);
    connections.push_back({address.host, address.port, userName, userPassword});
    if ((!host.empty() && (address.host != host || address.port != port)) || userName != user ||
        userPassword != password)
        return {SessionStatus::ConnectFailed, nullptr};
    auto session = std::make_unique<HostFtpSession>(*this);
    if (!session->enterFolder(folder))
        return {SessionStatus::FolderNotFound, nullptr};
    return {SessionStatus::Connected, std::move(session)};
}

} // namespace qz
