#include "installer/InstallLog.h"

#include "platform/PathRoot.h"
#include "settings/TextFile.h"

namespace qz {

bool InstallLog::open(FileSystem& files, const std::string& path) {
    // A script names a log folder of its choosing, which may not exist yet.
    if (const std::size_t slash = path.find_last_of('\\');
        slash != std::string::npos && slash > PathRootLength(path))
        files.createDirectories(path.substr(0, slash));
    file_ = files.open(path, OpenMode::Create);
    failed_ = false;
    // The byte-order mark makes the editors of older systems read UTF-8.
    put(std::string(Utf8Mark));
    return isOpen() && !failed_;
}

void InstallLog::write(const std::string& line) {
    put(line + "\r\n");
}

void InstallLog::writeStart(const std::string& who, const SystemInfo& system) {
    std::string line = who + ": " + system.programPath();
    for (const std::string& parameter : system.commandLine())
        line += " " + parameter;
    write(line);
}

void InstallLog::writeOutcome(int status, const std::string& meaning) {
    write("outcome: " + std::to_string(status) + " (" + meaning + ")");
}

void InstallLog::put(const std::string& bytes) {
    if (file_ && file_->write(bytes.data(), bytes.size()) != bytes.size())
        failed_ = true;
}

bool InstallLog::close() {
    if (!file_)
        return true;
    const bool closed = file_->close();
    file_.reset();
    return closed && !failed_;
}

InstallLog& NoInstallLog() {
    static InstallLog none; // never opened, so it holds nothing
    return none;
}

} // namespace qz
