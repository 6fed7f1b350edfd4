// FTP port over a scripted server held in memory: folders by their path from
// the server's root ("" is the root, "a/b" below it), each with its files.
// Every connection is recorded, so tests can see the host, port and user
// that were asked for. Downloads are written through a FileSystem.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Ftp.h"

#include <map>
#include <string>
#include <vector>

namespace qz {

struct HostFtpFile {
    std::string content;
    std::string time = "2026.01.01_00:00";
};

struct HostFtpConnection {
    std::string host;
    std::uint16_t port = 0;
    std::string user;
    std::string password;
    bool operator==(const HostFtpConnection&) const = default;
};

class HostFtp : public Ftp {
public:
    explicit HostFtp(FileSystem& files) : files_(files) {}

    RepositorySession openRepositorySession(const std::string& hostField, const std::string& folder,
                                            const std::string& user,
                                            const std::string& password) override;

    // The server: folder path -> file name -> file.
    std::map<std::string, std::map<std::string, HostFtpFile>> folders;
    // Who may connect; an empty host accepts any.
    std::string host;
    std::uint16_t port = 21;
    std::string user;
    std::string password;
    bool internetAvailable = true;
    // Names whose download fails although they are listed.
    std::vector<std::string> failingDownloads;
    // Names whose download ends early: half the file arrives and the
    // transfer is reported as done, as a dropped connection can.
    std::vector<std::string> truncatedDownloads;
    // Folders whose listing fails on the way.
    std::vector<std::string> failingListings;

    std::vector<HostFtpConnection> connections;
    int openSessions = 0; // sessions not yet closed

private:
    friend class HostFtpSession;
    FileSystem& files_;
};

} // namespace qz
