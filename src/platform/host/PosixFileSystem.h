// File-system port over the host's own paths, for command-line tools that
// work on real files ("/tmp/a.zip", "out/dir"). A "\" in a path is taken as
// "/", so that paths the logic builds in Windows form work unchanged. There
// are no drives: drive types are unknown and volumes have no labels.
#pragma once

#include "platform/FileSystem.h"

namespace qz {

class PosixFileSystem : public FileSystem {
public:
    bool fileExists(const std::string& path) const override;
    bool directoryExists(const std::string& path) const override;
    std::vector<FindEntry> list(const std::string& pattern, ListKind kind) const override;
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
    bool moveFile(const std::string& from, const std::string& to, bool replaceExisting) override;
    bool deleteFile(const std::string& path) override;
    std::optional<std::uint32_t> attributes(const std::string& path) const override;
    bool setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::optional<FileTime> lastWriteTime(const std::string& path) const override;
    bool setLastWriteTime(const std::string& path, FileTime time) override;
    bool createDirectory(const std::string& path) override;
    bool createDirectories(const std::string& path) override;
    bool removeDirectory(const std::string& path) override;
    DriveType driveType(char) const override { return DriveType::Unknown; }
    std::optional<std::string> volumeLabel(char) const override { return std::nullopt; }
    bool driveSizeReadable(char) const override { return false; }
    std::string currentDirectory() const override;
    bool setCurrentDirectory(const std::string& path) override;
};

} // namespace qz
