// Shell port: what the program asks of the Windows shell — documents and web
// pages opened with their associated program, Explorer windows, and programs
// started without waiting for them.
#pragma once

#include <string>

namespace qz {

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
};

} // namespace qz
