// File-system port on the Windows W APIs.
#pragma once

#include "platform/FileSystem.h"

namespace qz {

class Win32FileSystem : public FileSystem {
public:
    bool fileExists(const std::string& path) const override;
    bool directoryExists(const std::string& path) const override;
    std::vector<FindEntry> list(const std::string& pattern, ListKind kind) const override;
    std::vector<NameEntry> listNames(const std::string& folder) const override;
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
    DriveType driveType(char letter) const override;
    std::optional<std::string> volumeLabel(char letter) const override;
    bool driveSizeReadable(char letter) const override;
    std::string currentDirectory() const override;
    bool setCurrentDirectory(const std::string& path) override;
};

} // namespace qz
