// Shell port that records every request to open or start something instead
// of acting on it, so tests can see what would have been opened or started.
// Shortcuts are real .lnk files in the host file system.
#pragma once

#include "platform/FileSystem.h"
#include "platform/Shell.h"

#include <vector>

namespace qz {

struct ShellRequest {
    enum class Kind { Open, Explore, Start };
    Kind kind;
    std::string target; // document, folder or program
    std::string parameters;
    std::string directory;
    bool operator==(const ShellRequest&) const = default;
};

class HostShell : public Shell {
public:
    // Without a file system no shortcut can be made or read.
    HostShell() = default;
    explicit HostShell(FileSystem& files) : files_(&files) {}

    bool openDocument(const std::string& target) override;
    bool exploreFolder(const std::string& folder) override;
    bool startProgram(const std::string& path, const std::string& parameters,
                      const std::string& directory) override;
    bool createShortcut(const std::string& linkPath, const ShellLink& link) override;
    std::optional<ShellLink> readShortcut(const std::string& linkPath) override;

    std::vector<ShellRequest> requests;
    bool succeed = true; // the answer every open or start request gets

private:
    FileSystem* files_ = nullptr;
};

} // namespace qz
