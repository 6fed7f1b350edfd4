// A file system that reads through to another one and throws every write
// away: the archive is read for real, extracted files go nowhere. Testing
// an archive is extracting it onto this.
#pragma once

#include "platform/FileSystem.h"

namespace qz::tool {

class DiscardingFileSystem : public FileSystem {
public:
    explicit DiscardingFileSystem(FileSystem& real) : real_(real) {}

    bool fileExists(const std::string& path) const override { return real_.fileExists(path); }
    bool directoryExists(const std::string& path) const override {
        return real_.directoryExists(path);
    }
    std::vector<FindEntry> list(const std::string& pattern, ListKind kind) const override {
        return real_.list(pattern, kind);
    }
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    bool copyFile(const std::string&, const std::string&, bool) override { return true; }
    bool moveFile(const std::string&, const std::string&, bool) override { return true; }
    bool deleteFile(const std::string&) override { return true; }
    std::optional<std::uint32_t> attributes(const std::string& path) const override {
        return real_.attributes(path);
    }
    bool setAttributes(const std::string&, std::uint32_t) override { return true; }
    std::optional<FileTime> lastWriteTime(const std::string& path) const override {
        return real_.lastWriteTime(path);
    }
    bool setLastWriteTime(const std::string&, FileTime) override { return true; }
    bool createDirectory(const std::string&) override { return true; }
    bool createDirectories(const std::string&) override { return true; }
    bool removeDirectory(const std::string&) override { return true; }
    DriveType driveType(char letter) const override { return real_.driveType(letter); }
    std::optional<std::string> volumeLabel(char letter) const override {
        return real_.volumeLabel(letter);
    }
    bool driveSizeReadable(char letter) const override { return real_.driveSizeReadable(letter); }
    std::string currentDirectory() const override { return real_.currentDirectory(); }
    bool setCurrentDirectory(const std::string& path) override {
        return real_.setCurrentDirectory(path);
    }

private:
    FileSystem& real_;
};

} // namespace qz::tool
