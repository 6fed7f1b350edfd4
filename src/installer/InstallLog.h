// The installation's log for the administrator who ran it from a script:
// UTF-8 text with CR LF, one event a line, written as the events happen, so
// that a run that dies leaves what it did so far.
#pragma once

#include "platform/FileSystem.h"
#include "platform/SystemInfo.h"

#include <memory>
#include <string>

namespace qz {

class InstallLog {
public:
    // A log that writes nothing, for runs without /LOG.
    InstallLog() = default;

    // Creates (or empties) the file; false when it cannot be written.
    bool open(FileSystem& files, const std::string& path);
    bool isOpen() const { return file_ != nullptr; }

    void write(const std::string& line);
    // The first line: who runs, the program's path and its parameters.
    void writeStart(const std::string& who, const SystemInfo& system);
    // The last line: the exit status and what it means.
    void writeOutcome(int status, const std::string& meaning);
    // False when a line was lost or the close failed.
    bool close();

private:
    void put(const std::string& bytes);

    std::unique_ptr<File> file_;
    bool failed_ = false;
};

// The log of a run without /LOG: writes nothing.
InstallLog& NoInstallLog();

} // namespace qz
