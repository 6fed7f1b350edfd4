// FTP port: a session with the teacher's repository server, in which the
// program enters folders, lists files and downloads them. The session is
// closed when its object is destroyed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qz {

// A folder listing with more files than this is refused: no repository
// folder holds that many, and a server that sends more is not trusted.
constexpr std::size_t MaxListedFiles = 10000;

// One file of a listing. The size is the low 32 bits of the file's size; the
// time is the last-write time as "yyyy.mm.dd_hh:mm".
struct RemoteFileInfo {
    std::string name;
    std::uint32_t size = 0;
    std::string time;
    bool operator==(const RemoteFileInfo&) const = default;
};

class FtpSession {
public:
    virtual ~FtpSession() = default;

    // Enters a folder relative to the current one; false when it cannot.
    virtual bool enterFolder(const std::string& folder) = 0;
    // The files (not folders, ".", "..") of the current folder that match
    // a pattern with "*" and "?"; empty when nothing matches. Nothing when
    // the listing failed on the way or held more than MaxListedFiles files:
    // a listing cut short is not the whole folder.
    virtual std::optional<std::vector<RemoteFileInfo>>
    listRemoteFiles(const std::string& pattern) = 0;
    // Copies a file of the current folder to a local path in binary,
    // replacing a file there; false when the transfer failed.
    virtual bool downloadFile(const std::string& remoteName, const std::string& localPath) = 0;
};

// Status of opening a session.
enum class SessionStatus {
    Connected = 0,
    NoInternet = 1,     // the internet library could not be opened
    ConnectFailed = 2,  // the server refused or did not answer
    FolderNotFound = 3, // the start folder could not be entered
};

struct RepositorySession {
    SessionStatus status = SessionStatus::NoInternet;
    std::unique_ptr<FtpSession> session; // set only when connected
};

// The host and port of a host field "name" or "name:port": the port is 21
// when there is none or when the text after the first ":" is not a number.
struct FtpAddress {
    std::string host;
    std::uint16_t port = 21;
    bool operator==(const FtpAddress&) const = default;
};
FtpAddress SplitFtpAddress(const std::string& hostField);

class Ftp {
public:
    virtual ~Ftp() = default;

    // Connects to a host field (see SplitFtpAddress) in passive mode as a
    // user and enters a start folder.
    virtual RepositorySession openRepositorySession(const std::string& hostField,
                                                    const std::string& folder,
                                                    const std::string& user,
                                                    const std::string& password) = 0;
};

} // namespace qz
