#include "platform/host/PosixFileSystem.h"

#include "platform/host/HostFileSystem.h"
#include "platform/host/PosixFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qz {
namespace {

fs::path HostPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return fs::path(path);
}

} // namespace

bool PosixFileSystem::fileExists(const std::string& path) const {
    std::error_code ec;
    return fs::is_regular_file(HostPath(path), ec);
}

bool PosixFileSystem::directoryExists(const std::string& path) const {
    std::error_code ec;
    return fs::is_directory(HostPath(path), ec);
}

std::vector<FindEntry> PosixFileSystem::list(const std::string& pattern, ListKind kind) const {
    fs::path p = HostPath(pattern);
    std::vector<FindEntry> out;
    std::error_code ec;
    fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        bool folderEntry = entry.is_directory(ec);
        if (!matchesMask(name, p.filename().string()) || (kind == ListKind::Files && folderEntry) ||
            (kind == ListKind::Folders && !folderEntry))
            continue;
        FindEntry e;
        e.name = name;
        e.attributes = folderEntry ? AttrDirectory : AttrArchive;
        e.size = folderEntry ? 0 : entry.file_size(ec);
        e.lastWrite = toFileTime(entry.last_write_time(ec));
        out.push_back(std::move(e));
    }
    return out;
}

std::unique_ptr<File> PosixFileSystem::open(const std::string& path, OpenMode mode) {
    int flags = mode == OpenMode::Read        ? O_RDONLY
                : mode == OpenMode::ReadWrite ? O_RDWR
                                              : O_RDWR | O_CREAT | O_TRUNC;
    int fd = ::open(HostPath(path).c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    return MakePosixFile(fd);
}

bool PosixFileSystem::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    std::error_code ec;
    return fs::copy_file(
        HostPath(from), HostPath(to),
        failIfExists ? fs::copy_options::none : fs::copy_options::overwrite_existing, ec);
}

bool PosixFileSystem::moveFile(const std::string& from, const std::string& to,
                               bool replaceExisting) {
    std::error_code ec;
    if (!replaceExisting && fs::exists(HostPath(to), ec))
        return false;
    fs::rename(HostPath(from), HostPath(to), ec);
    return !ec;
}

bool PosixFileSystem::deleteFile(const std::string& path) {
    return ::unlink(HostPath(path).c_str()) == 0;
}

std::optional<std::uint32_t> PosixFileSystem::attributes(const std::string& path) const {
    struct stat st {};
    if (::stat(HostPath(path).c_str(), &st) != 0)
        return std::nullopt;
    std::uint32_t attributes = S_ISDIR(st.st_mode) ? AttrDirectory : AttrArchive;
    if ((st.st_mode & 0222) == 0)
        attributes |= AttrReadOnly;
    return attributes;
}

// Only read-only has a meaning here: it takes the write permissions away.
bool PosixFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    struct stat st {};
    fs::path p = HostPath(path);
    if (::stat(p.c_str(), &st) != 0)
        return false;
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & AttrReadOnly) ? (mode & ~0222) : (mode | S_IWUSR);
    return ::chmod(p.c_str(), mode) == 0;
}

std::optional<FileTime> PosixFileSystem::lastWriteTime(const std::string& path) const {
    std::error_code ec;
    auto t = fs::last_write_time(HostPath(path), ec);
    if (ec)
        return std::nullopt;
    return toFileTime(t);
}

bool PosixFileSystem::setLastWriteTime(const std::string& path, FileTime time) {
    std::error_code ec;
    fs::last_write_time(HostPath(path), fromFileTime(time), ec);
    return !ec;
}

bool PosixFileSystem::createDirectory(const std::string& path) {
    return ::mkdir(HostPath(path).c_str(), 0755) == 0;
}

bool PosixFileSystem::createDirectories(const std::string& path) {
    std::error_code ec;
    fs::create_directories(HostPath(path), ec);
    return fs::is_directory(HostPath(path), ec);
}

bool PosixFileSystem::removeDirectory(const std::string& path) {
    return ::rmdir(HostPath(path).c_str()) == 0;
}

std::string PosixFileSystem::currentDirectory() const {
    std::error_code ec;
    return fs::current_path(ec).string();
}

bool PosixFileSystem::setCurrentDirectory(const std::string& path) {
    std::error_code ec;
    fs::current_path(HostPath(path), ec);
    return !ec;
}

} // namespace qz
