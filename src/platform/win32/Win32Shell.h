// Shell port on ShellExecuteExW, and on the shell link object for shortcuts.
#pragma once

#include "platform/Shell.h"

namespace qz {

class Win32Shell : public Shell {
public:
    bool openDocument(const std::string& target) override;
    bool exploreFolder(const std::string& folder) override;
    bool startProgram(const std::string& path, const std::string& parameters,
                      const std::string& directory) override;
    bool createShortcut(const std::string& linkPath, const ShellLink& link) override;
    std::optional<ShellLink> readShortcut(const std::string& linkPath) override;
};

} // namespace qz
