// File-system port: what the program asks of the Windows file system.
// Paths are Windows paths in UTF-8 ("C:\QZ4\QZ.INI"); implementations resolve
// them without regard to letter case, as Windows does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qz {

// Attribute bits with the values Windows gives them.
enum FileAttribute : std::uint32_t {
    AttrReadOnly = 0x01,
    AttrHidden = 0x02,
    AttrSystem = 0x04,
    AttrDirectory = 0x10,
    AttrArchive = 0x20,
    AttrNormal = 0x80,
    // A symbolic link, junction or other reparse point: removing it removes
    // the link; walks never enter it.
    AttrReparsePoint = 0x400,
};

// The longest folder path the system creates (in UTF-16 units): beyond it,
// folder creation refuses at once instead of working up to the failure.
inline constexpr std::size_t MaxFolderPathLength = 247;

// Points in time as Windows FILETIME: 100-ns ticks since 1601-01-01 UTC.
using FileTime = std::int64_t;

enum class DriveType { Unknown, NoRootDir, Removable, Fixed, Remote, CdRom, RamDisk };

// One entry of a find-first/find-next listing.
struct FindEntry {
    std::string name; // file name only
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    FileTime lastWrite = 0;
    bool isDirectory() const { return (attributes & AttrDirectory) != 0; }
};

enum class ListKind { Files, Folders, All };

// One name of a folder, as walks of large trees need it.
struct NameEntry {
    std::string name;
    bool isDirectory = false;
    bool isLink = false; // a reparse point, to a folder when isDirectory
};

enum class OpenMode {
    Read,      // existing file, read only, others may read and write
    ReadWrite, // existing file, read and write
    Create,    // create or truncate, read and write
};

// An open file. Closing may be where the system reports that written bytes
// could not be kept (a full network drive, a delayed write): writers close
// explicitly and check. Destroying a file that is still open closes it and
// ignores the result.
class File {
public:
    virtual ~File() = default;
    // Short counts are not errors; they show end of file or a failed write.
    virtual std::size_t read(void* buffer, std::size_t count) = 0;
    virtual std::size_t write(const void* buffer, std::size_t count) = 0;
    // Absolute position; false when the system refused.
    virtual bool seek(std::uint64_t position) = 0;
    virtual std::uint64_t position() const = 0;
    virtual std::uint64_t size() const = 0;
    virtual bool truncate() = 0; // cut the file at the current position
    virtual std::optional<FileTime> lastWriteTime() const = 0;
    virtual bool setLastWriteTime(FileTime time) = 0;
    // False when the system reports a failure. Nothing but destruction may
    // follow.
    virtual bool close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool fileExists(const std::string& path) const = 0;
    virtual bool directoryExists(const std::string& path) const = 0;

    // Listing of "folder\mask" (mask with * and ?), in the order the file
    // system returns it. Folders include "." and ".." where the system does.
    virtual std::vector<FindEntry> list(const std::string& pattern, ListKind kind) const = 0;
    // The names in a folder, each marked as file or folder, in listing order
    // and without "." and "..". Systems that can list bare names more cheaply
    // than full entries do so; the rest list full entries.
    virtual std::vector<NameEntry> listNames(const std::string& folder) const;

    virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode) = 0;

    virtual bool copyFile(const std::string& from, const std::string& to, bool failIfExists) = 0;
    // Moves a file or folder; replaceExisting lets a file take the place of
    // an existing one in one step.
    virtual bool moveFile(const std::string& from, const std::string& to, bool replaceExisting) = 0;
    virtual bool deleteFile(const std::string& path) = 0;

    virtual std::optional<std::uint32_t> attributes(const std::string& path) const = 0;
    virtual bool setAttributes(const std::string& path, std::uint32_t attributes) = 0;
    virtual std::optional<FileTime> lastWriteTime(const std::string& path) const = 0;
    virtual bool setLastWriteTime(const std::string& path, FileTime time) = 0;

    virtual bool createDirectory(const std::string& path) = 0;
    // Creates every missing folder of the path, one level after another
    // (never recursively); true when the folder exists afterwards. A path
    // longer than MaxFolderPathLength is refused before anything is made.
    virtual bool createDirectories(const std::string& path) = 0;
    // Removes an empty folder, or a link to a folder (not what it points to).
    virtual bool removeDirectory(const std::string& path) = 0;

    // Drives are named by their letter ('C').
    virtual DriveType driveType(char letter) const = 0;
    virtual std::optional<std::string> volumeLabel(char letter) const = 0;
    virtual bool driveSizeReadable(char letter) const = 0;

    virtual std::string currentDirectory() const = 0;
    virtual bool setCurrentDirectory(const std::string& path) = 0;
};

inline std::vector<NameEntry> FileSystem::listNames(const std::string& folder) const {
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\')
        pattern += '\\';
    std::vector<NameEntry> out;
    for (const FindEntry& e : list(pattern + "*", ListKind::All))
        if (e.name != "." && e.name != "..")
            out.push_back({e.name, e.isDirectory(), (e.attributes & AttrReparsePoint) != 0});
    return out;
}

// The root ("C:\") of the first drive from C: whose size can be read, where
// an open-file dialog starts when it has no folder of its own; empty when
// there is none.
inline std::string FirstReadableDriveRoot(const FileSystem& files) {
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if (files.driveSizeReadable(letter))
            return std::string(1, letter) + ":\\";
    return std::string();
}

} // namespace qz
