// Shell port that records every request instead of acting on it, so tests
// can see what would have been opened or started.
#pragma once

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
    bool openDocument(const std::string& target) override;
    bool exploreFolder(const std::string& folder) override;
    bool startProgram(const std::string& path, const std::string& parameters,
                      const std::string& directory) override;

    std::vector<ShellRequest> requests;
    bool succeed = true; // the answer every request gets
};

} // namespace qz
