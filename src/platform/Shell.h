// Shell port: what the program asks of the Windows shell — documents and web
// pages opened with their associated program, Explorer windows, programs
// started without waiting for them, and shortcut (.lnk) files.
#pragma once

#include <optional>
#include <string>

namespace qz {

// What a shortcut holds: the program or document it starts, how, and with
// which icon (an empty icon path: the target's own).
struct ShellLink {
    std::string target;
    std::string arguments;
    std::string workingDirectory;
    std::string iconPath;
    int iconIndex = 0;
    bool operator==(const ShellLink&) const = default;
};

class Shell {
public:
    virtual ~Shell() = default;

    // Opens a document, folder or web address with its associated program in
    // a normal window; false when the shell refused.
    virtual bool openDocument(const std::string& target) = 0;
    // Opens an Explorer window on a folder.
    virtual bool exploreFolder(const std::string& folder) = 0;
    // Starts a program with parameters in a working folder and returns at
    // once; false when it could not be started.
    virtual bool startProgram(const std::string& path, const std::string& parameters,
                              const std::string& directory) = 0;

    // Writes the shortcut file linkPath (a full path ending in ".lnk"). An
    // existing file is left alone and counts as success; false when the
    // link could not be made or saved.
    virtual bool createShortcut(const std::string& linkPath, const ShellLink& link) = 0;
    // What a shortcut file holds; nothing when it cannot be read as one.
    virtual std::optional<ShellLink> readShortcut(const std::string& linkPath) = 0;
};

} // namespace qz
