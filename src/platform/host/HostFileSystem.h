// File-system port over a folder tree: "C:\" is <root>/C/, the share
// "\\srv\share\" is <root>/UNC/srv/share/, every path component resolved without regard to letter
// case. Drive types and volume labels are set by the test; a drive whose folder exists is fixed by
// default.
#pragma once

#include "platform/FileSystem.h"

#include <filesystem>
#include <map>
#include <set>

namespace qz {

class HostFileSystem : public FileSystem {
public:
    explicit HostFileSystem(std::filesystem::path root);

    // The host path a Windows path maps to (existing components matched
    // without regard to case; the rest kept as written).
    std::filesystem::path hostPath(const std::string& windowsPath) const;
    // Absolute Windows form of a path: relative paths join the current folder.
    std::string absolute(const std::string& windowsPath) const;

    void setDriveType(char letter, DriveType type);
    void setVolumeLabel(char letter, const std::string& label);
    // Files written on the drive from now on lose their bytes when they are
    // closed, and the close reports the failure: a full network drive that
    // accepted the writes into its cache.
    void setWritesFailAtClose(char letter);

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

private:
    std::filesystem::path root_;
    std::string current_ = "C:\\";
    std::map<char, DriveType> driveTypes_;
    std::map<char, std::string> labels_;
    std::set<char> failingCloses_;
    // Hidden, system and archive bits have no host equivalent; kept here by host path.
    std::map<std::string, std::uint32_t> extraAttributes_;
};

// FILETIME <-> host clock.
FileTime toFileTime(std::filesystem::file_time_type time);
std::filesystem::file_time_type fromFileTime(FileTime time);

// Windows wildcard match ('*', '?'), without regard to case; "*.*" matches
// every name, as on Windows.
bool matchesMask(std::string_view name, std::string_view mask);

} // namespace qz
