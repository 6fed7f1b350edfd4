// Depth-first search for a file below a folder, as detection uses it to find
// an IDE somewhere inside its installation tree.
#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace qz {

// One search session. Several environments search the same trees (four
// languages share each Visual Studio, PyCharm and RubyMine share JetBrains,
// with two names each), so a session lists each folder once and remembers
// each answer; the trees are assumed not to change while it lives. Detection
// at start-up uses one session for all environments.
class FileSearch {
public:
    explicit FileSearch(const FileSystem& files) : files_(files) {}

    // Full path of the first file matching the name (or mask) in the folder
    // or, depth first, in its subfolders in listing order; empty when there
    // is none or the folder is not on a fixed drive.
    std::string FindFileRecursive(const std::string& folder, const std::string& mask);

private:
    struct Listing {
        std::vector<std::string> files;
        std::vector<std::string> folders;
    };
    std::string search(const std::string& folder, const std::string& mask);
    const Listing& listing(const std::string& folder);

    const FileSystem& files_;
    std::unordered_map<std::string, std::string> answers_; // folder|mask
    std::unordered_map<std::string, Listing> listings_;    // folder
};

} // namespace qz
