#include "platform/win32/Win32FileSystem.h"

#include "platform/PathRoot.h"
#include "platform/win32/WideString.h"

#include <windows.h>

namespace qz {
namespace {

using win32::narrow;
using win32::wide;

FileTime fromFiletime(const FILETIME& ft) {
    return static_cast<FileTime>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) |
                                 ft.dwLowDateTime);
}

FILETIME toFiletime(FileTime t) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(t) & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(t) >> 32);
    return ft;
}

std::wstring driveRoot(char letter) {
    std::wstring root = L"A:\\";
    root[0] = static_cast<wchar_t>(letter);
    return root;
}

class Win32File : public File {
public:
    explicit Win32File(HANDLE h) : h_(h) {}
    ~Win32File() override {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
    }
    std::size_t read(void* buffer, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(h_, static_cast<char*>(buffer) + done, chunk, &got, nullptr) || got == 0)
                break;
            done += got;
        }
        return done;
    }
    std::size_t write(const void* buffer, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
            DWORD put = 0;
            if (!WriteFile(h_, static_cast<const char*>(buffer) + done, chunk, &put, nullptr) ||
                put == 0)
                break;
            done += put;
        }
        return done;
    }
    bool seek(std::uint64_t position) override {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(position);
        return SetFilePointerEx(h_, to, nullptr, FILE_BEGIN) != 0;
    }
    std::uint64_t position() const override {
        LARGE_INTEGER zero{}, now{};
        return SetFilePointerEx(h_, zero, &now, FILE_CURRENT) ? now.QuadPart : 0;
    }
    std::uint64_t size() const override {
        LARGE_INTEGER s{};
        return GetFileSizeEx(h_, &s) ? s.QuadPart : 0;
    }
    bool truncate() override { return SetEndOfFile(h_) != 0; }
    std::optional<FileTime> lastWriteTime() const override {
        FILETIME ft;
        if (!GetFileTime(h_, nullptr, nullptr, &ft))
            return std::nullopt;
        return fromFiletime(ft);
    }
    bool setLastWriteTime(FileTime time) override {
        FILETIME ft = toFiletime(time);
        return SetFileTime(h_, nullptr, nullptr, &ft) != 0;
    }
    bool close() override {
        BOOL closed = CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return closed != 0;
    }

private:
    HANDLE h_;
};

} // namespace

bool Win32FileSystem::fileExists(const std::string& path) const {
    DWORD a = GetFileAttributesW(wide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::directoryExists(const std::string& path) const {
    DWORD a = GetFileAttributesW(wide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<FindEntry> Win32FileSystem::list(const std::string& pattern, ListKind kind) const {
    std::vector<FindEntry> out;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(wide(pattern).c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return out;
    do {
        bool isDir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if ((kind == ListKind::Files && isDir) || (kind == ListKind::Folders && !isDir))
            continue;
        FindEntry e;
        e.name = narrow(data.cFileName);
        e.attributes = data.dwFileAttributes;
        e.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        e.lastWrite = fromFiletime(data.ftLastWriteTime);
        out.push_back(std::move(e));
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return out;
}

std::vector<NameEntry> Win32FileSystem::listNames(const std::string& folder) const {
    std::vector<NameEntry> out;
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\')
        pattern += '\\';
    WIN32_FIND_DATAW data;
    // Without short names and with larger transfers: the fast form for walking big trees.
    HANDLE h = FindFirstFileExW(wide(pattern + "*").c_str(), FindExInfoBasic, &data,
                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE)
        return out;
    do {
        std::wstring_view name = data.cFileName;
        if (name != L"." && name != L"..")
            out.push_back({narrow(data.cFileName),
                           (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return out;
}

std::unique_ptr<File> Win32FileSystem::open(const std::string& path, OpenMode mode) {
    DWORD access = mode == OpenMode::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    // A reader lets others write: the problem book's programs keep results.dat
    // and QZ.INI open for writing while they run.
    DWORD share = mode == OpenMode::Read ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    DWORD disposition = mode == OpenMode::Create ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE h = CreateFileW(wide(path).c_str(), access, share, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<Win32File>(h);
}

bool Win32FileSystem::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    return CopyFileW(wide(from).c_str(), wide(to).c_str(), failIfExists) != 0;
}

bool Win32FileSystem::moveFile(const std::string& from, const std::string& to,
                               bool replaceExisting) {
    DWORD flags = MOVEFILE_COPY_ALLOWED | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(), flags) != 0;
}

bool Win32FileSystem::deleteFile(const std::string& path) {
    return DeleteFileW(wide(path).c_str()) != 0;
}

std::optional<std::uint32_t> Win32FileSystem::attributes(const std::string& path) const {
    DWORD a = GetFileAttributesW(wide(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return a;
}

bool Win32FileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    return SetFileAttributesW(wide(path).c_str(), attributes) != 0;
}

std::optional<FileTime> Win32FileSystem::lastWriteTime(const std::string& path) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return fromFiletime(data.ftLastWriteTime);
}

bool Win32FileSystem::setLastWriteTime(const std::string& path, FileTime time) {
    HANDLE h =
        CreateFileW(wide(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    FILETIME ft = toFiletime(time);
    bool ok = SetFileTime(h, nullptr, nullptr, &ft) != 0;
    CloseHandle(h);
    return ok;
}

bool Win32FileSystem::createDirectory(const std::string& path) {
    return CreateDirectoryW(wide(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::createDirectories(const std::string& path) {
    if (wide(path).size() > MaxFolderPathLength)
        return false;
    const std::size_t root = PathRootLength(path);
    std::string p = path;
    while (p.size() > root && (p.back() == '\\' || p.back() == '/'))
        p.pop_back();
    if (directoryExists(p))
        return true;
    // A drive or share cannot be made: when its root is missing, so is the path.
    if (p.size() <= root)
        return false;
    // Level after level from the root: a deep path costs a loop, not a stack.
    for (std::size_t end = p.find_first_of("\\/", root);; end = p.find_first_of("\\/", end + 1)) {
        const std::string level = p.substr(0, end);
        if (!level.empty() && level.size() > root && !directoryExists(level) &&
            !createDirectory(level) && !directoryExists(level))
            return false;
        if (end == std::string::npos)
            return true;
    }
}

bool Win32FileSystem::removeDirectory(const std::string& path) {
    return RemoveDirectoryW(wide(path).c_str()) != 0;
}

DriveType Win32FileSystem::driveType(char letter) const {
    switch (GetDriveTypeW(driveRoot(letter).c_str())) {
    case DRIVE_NO_ROOT_DIR:
        return DriveType::NoRootDir;
    case DRIVE_REMOVABLE:
        return DriveType::Removable;
    case DRIVE_FIXED:
        return DriveType::Fixed;
    case DRIVE_REMOTE:
        return DriveType::Remote;
    case DRIVE_CDROM:
        return DriveType::CdRom;
    case DRIVE_RAMDISK:
        return DriveType::RamDisk;
    default:
        return DriveType::Unknown;
    }
}

std::optional<std::string> Win32FileSystem::volumeLabel(char letter) const {
    wchar_t label[MAX_PATH + 1] = {};
    // A drive without a disk must not bring up the system's "insert a disk" box.
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    BOOL ok = GetVolumeInformationW(driveRoot(letter).c_str(), label, MAX_PATH + 1, nullptr,
                                    nullptr, nullptr, nullptr, 0);
    SetErrorMode(old);
    if (!ok)
        return std::nullopt;
    return narrow(label);
}

bool Win32FileSystem::driveSizeReadable(char letter) const {
    ULARGE_INTEGER total;
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
    BOOL ok = GetDiskFreeSpaceExW(driveRoot(letter).c_str(), nullptr, &total, nullptr);
    SetErrorMode(old);
    return ok != 0;
}

std::string Win32FileSystem::currentDirectory() const {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring buffer(n, L'\0');
    GetCurrentDirectoryW(n, buffer.data());
    return narrow(buffer.c_str());
}

bool Win32FileSystem::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryW(wide(path).c_str()) != 0;
}

} // namespace qz
