#include "platform/host/HostFileSystem.h"

#include "platform/host/PosixFile.h"

#include "text/Text.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qz {
namespace {

// Splits a Windows path into drive letter and components; '/' counts as '\'.
// A network path ("\\server\share\x") has no drive; its first two parts
// name the share, which lies below <root>/UNC/.
struct SplitPath {
    char drive = 0;
    std::vector<std::string> parts;
    bool network() const { return drive == 0; }
    // The host folder of the drive or share and the parts below it.
    std::size_t rootParts() const { return network() ? 2 : 0; }
};

SplitPath split(const std::string& absolutePath) {
    SplitPath out;
    std::string p = absolutePath;
    std::replace(p.begin(), p.end(), '/', '\\');
    std::size_t i = 0;
    out.drive = 'C';
    if (p.size() >= 2 && p[1] == ':') {
        out.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(p[0])));
        i = 2;
    } else if (p.rfind("\\\\", 0) == 0) {
        out.drive = 0;
    }
    std::string part;
    for (; i <= p.size(); ++i) {
        if (i == p.size() || p[i] == '\\') {
            if (part == "..") {
                if (out.parts.size() > out.rootParts())
                    out.parts.pop_back();
            } else if (!part.empty() && part != ".") {
                out.parts.push_back(part);
            }
            part.clear();
        } else {
            part += p[i];
        }
    }
    return out;
}

// A written file whose bytes are lost at the close, which reports it (to a
// writer that asks).
class FailingCloseFile : public File {
public:
    explicit FailingCloseFile(std::unique_ptr<File> file) : file_(std::move(file)) {}
    ~FailingCloseFile() override {
        if (!closed_)
            close();
    }
    std::size_t read(void* buffer, std::size_t count) override {
        return file_->read(buffer, count);
    }
    std::size_t write(const void* buffer, std::size_t count) override {
        return file_->write(buffer, count);
    }
    bool seek(std::uint64_t position) override { return file_->seek(position); }
    std::uint64_t position() const override { return file_->position(); }
    std::uint64_t size() const override { return file_->size(); }
    bool truncate() override { return file_->truncate(); }
    std::optional<FileTime> lastWriteTime() const override { return file_->lastWriteTime(); }
    bool setLastWriteTime(FileTime time) override { return file_->setLastWriteTime(time); }
    bool close() override {
        file_->seek(0);
        file_->truncate();
        file_->close();
        closed_ = true;
        return false;
    }

private:
    std::unique_ptr<File> file_;
    bool closed_ = false;
};

// The stored name in the open folder that equals name without regard to
// case.
std::optional<std::string> nameIgnoringCase(int folder, const std::string& name) {
    int copy = ::dup(folder);
    DIR* listing = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (!listing) {
        if (copy >= 0)
            ::close(copy);
        return std::nullopt;
    }
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(listing))
        if (text::equalsIgnoreCase(entry->d_name, name))
            found = entry->d_name;
    ::closedir(listing);
    return found;
}

} // namespace

FileTime toFileTime(fs::file_time_type time) {
    auto system = fs::file_time_type::clock::to_sys(time);
    auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(system.time_since_epoch());
    return ticks.count() / 100 + 11644473600LL * 10000000LL;
}

fs::file_time_type fromFileTime(FileTime time) {
    std::chrono::nanoseconds since((time - 11644473600LL * 10000000LL) * 100);
    return fs::file_time_type::clock::from_sys(std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(since)));
}

bool matchesMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*" || mask == "*")
        return true;
    std::string n = text::upper(name), m = text::upper(mask);
    // Iterative wildcard match with one backtrack point.
    std::size_t i = 0, j = 0, star = std::string::npos, mark = 0;
    while (i < n.size()) {
        if (j < m.size() && (m[j] == '?' || m[j] == n[i])) {
            ++i;
            ++j;
        } else if (j < m.size() && m[j] == '*') {
            star = j++;
            mark = i;
        } else if (star != std::string::npos) {
            j = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    while (j < m.size() && (m[j] == '*' || m[j] == '.'))
        ++j;
    return j == m.size();
}

HostFileSystem::HostFileSystem(fs::path root) : root_(std::move(root)) {}

std::string HostFileSystem::absolute(const std::string& windowsPath) const {
    std::string p = windowsPath;
    std::replace(p.begin(), p.end(), '/', '\\');
    if ((p.size() >= 2 && p[1] == ':') || p.rfind("\\\\", 0) == 0)
        return p;
    if (!p.empty() && p[0] == '\\')
        return current_.substr(0, 2) + p;
    std::string base = current_;
    if (base.empty() || base.back() != '\\')
        base += '\\';
    return base + p;
}

fs::path HostFileSystem::hostPath(const std::string& windowsPath) const {
    SplitPath sp = split(absolute(windowsPath));
    fs::path result = root_ / (sp.network() ? std::string("UNC") : std::string(1, sp.drive));
    // A path spelled as stored resolves to itself: one look instead of one per component.
    fs::path exactPath = result;
    for (const std::string& part : sp.parts)
        exactPath /= part;
    std::error_code exactError;
    if (fs::exists(exactPath, exactError))
        return exactPath;
    for (const std::string& part : sp.parts) {
        fs::path exact = result / part;
        std::error_code ec;
        if (!fs::exists(exact, ec) && fs::is_directory(result, ec)) {
            for (const auto& entry : fs::directory_iterator(result, ec)) {
                if (text::equalsIgnoreCase(entry.path().filename().string(), part)) {
                    exact = entry.path();
                    break;
                }
            }
        }
        result = exact;
    }
    return result;
}

void HostFileSystem::setDriveType(char letter, DriveType type) {
    driveTypes_[static_cast<char>(std::toupper(letter))] = type;
}

void HostFileSystem::setWritesFailAtClose(char letter) {
    failingCloses_.insert(static_cast<char>(std::toupper(letter)));
}

void HostFileSystem::setVolumeLabel(char letter, const std::string& label) {
    labels_[static_cast<char>(std::toupper(letter))] = label;
}

bool HostFileSystem::fileExists(const std::string& path) const {
    std::error_code ec;
    return fs::is_regular_file(hostPath(path), ec);
}

bool HostFileSystem::directoryExists(const std::string& path) const {
    std::error_code ec;
    return fs::is_directory(hostPath(path), ec);
}

std::vector<FindEntry> HostFileSystem::list(const std::string& pattern, ListKind kind) const {
    std::string abs = absolute(pattern);
    std::size_t slash = abs.find_last_of('\\');
    std::string folder = abs.substr(0, slash + 1);
    std::string mask = abs.substr(slash + 1);
    fs::path dir = hostPath(folder);
    std::vector<FindEntry> out;
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        return out;
    SplitPath where = split(folder);
    bool isRoot = where.parts.size() == where.rootParts();
    if (!isRoot && kind != ListKind::Files) {
        for (const char* dots : {".", ".."})
            if (matchesMask(dots, mask))
                out.push_back({dots, AttrDirectory, 0, 0});
    }
    std::vector<FindEntry> found;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::string name = entry.path().filename().string();
        if (!matchesMask(name, mask))
            continue;
        bool isDir = entry.is_directory(ec);
        if ((kind == ListKind::Files && isDir) || (kind == ListKind::Folders && !isDir))
            continue;
        FindEntry e;
        e.name = name;
        e.attributes = attributes(folder + name).value_or(0);
        e.size = isDir ? 0 : entry.file_size(ec);
        e.lastWrite = toFileTime(entry.last_write_time(ec));
        found.push_back(std::move(e));
    }
    std::sort(found.begin(), found.end(), [](const FindEntry& a, const FindEntry& b) {
        return text::compareIgnoreCase(a.name, b.name) < 0;
    });
    out.insert(out.end(), found.begin(), found.end());
    return out;
}

std::vector<NameEntry> HostFileSystem::listNames(const std::string& folder) const {
    std::vector<NameEntry> out;
    std::error_code ec;
    // The directory entries' own types: no look at each file.
    for (fs::directory_iterator it(hostPath(folder), ec), end; !ec && it != end; it.increment(ec))
        out.push_back({it->path().filename().string(), it->is_directory(ec), it->is_symlink(ec)});
    std::sort(out.begin(), out.end(), [](const NameEntry& a, const NameEntry& b) {
        return text::compareIgnoreCase(a.name, b.name) < 0;
    });
    return out;
}

std::unique_ptr<File> HostFileSystem::open(const std::string& path, OpenMode mode) {
    fs::path p = hostPath(path);
    std::error_code ec;
    if (fs::is_directory(p, ec))
        return nullptr;
    int flags = mode == OpenMode::Read        ? O_RDONLY
                : mode == OpenMode::ReadWrite ? O_RDWR
                                              : O_RDWR | O_CREAT | O_TRUNC;
    int fd = ::open(p.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    if (mode == OpenMode::Create)
        extraAttributes_[p.string()] = AttrArchive;
    char drive = split(absolute(path)).drive;
    if (mode != OpenMode::Read && failingCloses_.count(drive ? drive : 'C'))
        return std::make_unique<FailingCloseFile>(MakePosixFile(fd));
    return MakePosixFile(fd);
}

bool HostFileSystem::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    fs::path src = hostPath(from), dst = hostPath(to);
    std::error_code ec;
    if (!fs::is_regular_file(src, ec))
        return false;
    if (fs::exists(dst, ec)) {
        if (failIfExists || (attributes(to).value_or(0) & AttrReadOnly))
            return false;
    }
    fs::copy_file(src, dst, fs::copy_options::overwrite_existing, ec);
    if (ec)
        return false;
    auto attrs = attributes(from);
    if (attrs)
        setAttributes(to, *attrs | AttrArchive);
    return true;
}

bool HostFileSystem::moveFile(const std::string& from, const std::string& to,
                              bool replaceExisting) {
    fs::path src = hostPath(from), dst = hostPath(to);
    std::error_code ec;
    if (!fs::exists(src, ec))
        return false;
    // As on Windows, a read-only file is not replaced.
    if (fs::exists(dst, ec) && (!replaceExisting || fs::is_directory(dst, ec) ||
                                (attributes(to).value_or(0) & AttrReadOnly)))
        return false;
    fs::rename(src, dst, ec);
    if (ec)
        return false;
    auto it = extraAttributes_.find(src.string());
    if (it != extraAttributes_.end()) {
        extraAttributes_[dst.string()] = it->second;
        extraAttributes_.erase(it);
    }
    return true;
}

bool HostFileSystem::deleteFile(const std::string& path) {
    fs::path p = hostPath(path);
    std::error_code ec;
    // Windows refuses to delete a read-only file.
    if (!fs::is_regular_file(p, ec) || (attributes(path).value_or(0) & AttrReadOnly))
        return false;
    extraAttributes_.erase(p.string());
    return fs::remove(p, ec) && !ec;
}

std::optional<std::uint32_t> HostFileSystem::attributes(const std::string& path) const {
    fs::path p = hostPath(path);
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0)
        return std::nullopt;
    std::uint32_t attrs = 0;
    // A symbolic link stands for a Windows reparse point: a folder link
    // carries the folder bit, as a junction does.
    if (S_ISLNK(st.st_mode)) {
        attrs |= AttrReparsePoint;
        if (::stat(p.c_str(), &st) != 0)
            return attrs;
    }
    if (S_ISDIR(st.st_mode))
        attrs |= AttrDirectory;
    if ((st.st_mode & S_IWUSR) == 0)
        attrs |= AttrReadOnly;
    auto it = extraAttributes_.find(p.string());
    if (it != extraAttributes_.end())
        attrs |= it->second & (AttrHidden | AttrSystem | AttrArchive);
    else if (!S_ISDIR(st.st_mode))
        attrs |= AttrArchive;
    return attrs;
}

bool HostFileSystem::setAttributes(const std::string& path, std::uint32_t attrs) {
    fs::path p = hostPath(path);
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0)
        return false;
    mode_t mode = st.st_mode & 07777;
    mode = (attrs & AttrReadOnly) ? (mode & ~0222) : (mode | S_IWUSR);
    if (::chmod(p.c_str(), mode) != 0)
        return false;
    extraAttributes_[p.string()] = attrs & (AttrHidden | AttrSystem | AttrArchive);
    return true;
}

std::optional<FileTime> HostFileSystem::lastWriteTime(const std::string& path) const {
    std::error_code ec;
    auto t = fs::last_write_time(hostPath(path), ec);
    if (ec)
        return std::nullopt;
    return toFileTime(t);
}

bool HostFileSystem::setLastWriteTime(const std::string& path, FileTime time) {
    std::error_code ec;
    fs::last_write_time(hostPath(path), fromFileTime(time), ec);
    return !ec;
}

bool HostFileSystem::createDirectory(const std::string& path) {
    fs::path p = hostPath(path);
    std::error_code ec;
    if (!fs::is_directory(p.parent_path(), ec))
        return false;
    return fs::create_directory(p, ec) && !ec;
}

bool HostFileSystem::createDirectories(const std::string& path) {
    const std::string full = absolute(path);
    if (text::toUtf16(full).size() > MaxFolderPathLength)
        return false;
    SplitPath sp = split(full);
    if (sp.parts.size() < sp.rootParts())
        return false; // a server without a share
    // The drive or share must exist: neither can be made.
    std::string partial = sp.network() ? "\\\\" + sp.parts[0] + "\\" + sp.parts[1] + "\\"
                                       : std::string(1, sp.drive) + ":\\";
    if (!directoryExists(partial))
        return false;
    // One walk down from the root through open folders, so that the work
    // grows with the number of levels, not with its square.
    int folder = ::open(hostPath(partial).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    bool madeParent = false;
    for (std::size_t i = sp.rootParts(); folder >= 0 && i < sp.parts.size(); ++i) {
        std::string name = sp.parts[i];
        int next = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (next < 0 && !madeParent) {
            // The folder may be there in another letter case.
            if (auto stored = nameIgnoringCase(folder, name)) {
                name = *stored;
                next = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            }
        }
        if (next < 0 && ::mkdirat(folder, name.c_str(), 0755) == 0) {
            madeParent = true;
            next = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        ::close(folder);
        folder = next;
    }
    if (folder < 0)
        return false;
    ::close(folder);
    return true;
}

bool HostFileSystem::removeDirectory(const std::string& path) {
    fs::path p = hostPath(path);
    std::error_code ec;
    if (!fs::is_directory(p, ec))
        return false;
    // A link to a folder goes as a link, whatever the folder holds.
    if (fs::is_symlink(p, ec))
        return ::unlink(p.c_str()) == 0;
    if (!fs::is_empty(p, ec))
        return false;
    return fs::remove(p, ec) && !ec;
}

DriveType HostFileSystem::driveType(char letter) const {
    char up = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    auto it = driveTypes_.find(up);
    if (it != driveTypes_.end())
        return it->second;
    std::error_code ec;
    return fs::is_directory(root_ / std::string(1, up), ec) ? DriveType::Fixed
                                                            : DriveType::NoRootDir;
}

std::optional<std::string> HostFileSystem::volumeLabel(char letter) const {
    char up = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    auto it = labels_.find(up);
    if (it != labels_.end())
        return it->second;
    std::error_code ec;
    if (fs::is_directory(root_ / std::string(1, up), ec))
        return std::string();
    return std::nullopt;
}

bool HostFileSystem::driveSizeReadable(char letter) const {
    std::error_code ec;
    return fs::is_directory(
        root_ / std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))),
        ec);
}

std::string HostFileSystem::currentDirectory() const {
    return current_;
}

bool HostFileSystem::setCurrentDirectory(const std::string& path) {
    if (!directoryExists(path))
        return false;
    SplitPath sp = split(absolute(path));
    std::string result = sp.network() ? "\\" : std::string(1, sp.drive) + ":";
    for (const std::string& part : sp.parts)
        result += "\\" + part;
    if (sp.parts.size() == sp.rootParts())
        result += "\\";
    current_ = result;
    return true;
}

} // namespace qz
