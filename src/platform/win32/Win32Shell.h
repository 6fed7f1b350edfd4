// Shell port on ShellExecuteExW.
#pragma once

#include "platform/Shell.h"

namespace qz {

class Win32Shell : public Shell {
public:
    bool openDocument(const std::string& target) override;
    bool exploreFolder(const std::string& folder) override;
    bool startProgram(const std::string& path, const std::string& parameters,
                      const std::string& directory) override;
};

} // namespace qz
