// Shell port on ShellExecuteExW, and on the shell link object for shortcuts.
#pragma once

#include "platform/Shell.h"

namespace qz {

class Win32Shell : public Shell {
public:
    // COM is started once for the thread that makes the shell, the program's
    // own: starting and ending it for each of a dozen shortcuts costs more
    // than making them.
    Win32Shell();
    ~Win32Shell() override;
    Win32Shell(const Win32Shell&) = delete;
    Win32Shell& operator=(const Win32Shell&) = delete;

    bool openDocument(const std::string& target) override;
    bool exploreFolder(const std::string& folder) override;
    bool startProgram(const std::string& path, const std::string& parameters,
                      const std::string& directory) override;
    bool createShortcut(const std::string& linkPath, const ShellLink& link) override;
    std::optional<ShellLink> readShortcut(const std::string& linkPath) override;

private:
    bool comStarted_;
};

} // namespace qz
