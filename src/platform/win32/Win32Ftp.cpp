#include "platform/win32/Win32Ftp.h"

#include "platform/win32/WideString.h"

#include <shlwapi.h>
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace qz {
namespace {

// Connect, send and receive each give up after this long.
constexpr DWORD TimeoutMilliseconds = 30000;

// WinInet is loaded from the system folder when a session first opens. It is
// not among the libraries Windows always takes from there, so an import would
// let a file of its name beside the executable be loaded in its place (an
// installer started from a downloads folder, with administrator rights).
struct WinInet {
    decltype(&::InternetOpenW) InternetOpenW;
    decltype(&::InternetSetOptionW) InternetSetOptionW;
    decltype(&::InternetConnectW) InternetConnectW;
    decltype(&::InternetCloseHandle) InternetCloseHandle;
    decltype(&::FtpSetCurrentDirectoryW) FtpSetCurrentDirectoryW;
    decltype(&::FtpFindFirstFileW) FtpFindFirstFileW;
    decltype(&::InternetFindNextFileW) InternetFindNextFileW;
    decltype(&::FtpGetFileW) FtpGetFileW;
    decltype(&::InternetGetLastResponseInfoW) InternetGetLastResponseInfoW;
};

template <class Function> bool bind(HMODULE library, const char* name, Function& function) {
    // Through the generic function type, which the compiler takes as "any function".
    function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    return function != nullptr;
}

// The library's functions; nothing when it cannot be loaded. Loaded once, kept
// for the process.
const WinInet* LoadWinInet() {
    static const std::optional<WinInet> loaded = []() -> std::optional<WinInet> {
        // By its full path, which every Windows takes (the search flags need an update on
        // Windows 7); the process's own system folder, redirected for a 32-bit process.
        wchar_t folder[MAX_PATH] = {};
        UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return std::nullopt;
        HMODULE library =
            LoadLibraryExW((std::wstring(folder) + L"\\wininet.dll").c_str(), nullptr, 0);
        WinInet f{};
        if (!library || !bind(library, "InternetOpenW", f.InternetOpenW) ||
            !bind(library, "InternetSetOptionW", f.InternetSetOptionW) ||
            !bind(library, "InternetConnectW", f.InternetConnectW) ||
            !bind(library, "InternetCloseHandle", f.InternetCloseHandle) ||
            !bind(library, "FtpSetCurrentDirectoryW", f.FtpSetCurrentDirectoryW) ||
            !bind(library, "FtpFindFirstFileW", f.FtpFindFirstFileW) ||
            !bind(library, "InternetFindNextFileW", f.InternetFindNextFileW) ||
            !bind(library, "FtpGetFileW", f.FtpGetFileW) ||
            !bind(library, "InternetGetLastResponseInfoW", f.InternetGetLastResponseInfoW))
            return std::nullopt;
        return f;
    }();
    return loaded ? &*loaded : nullptr;
}

std::string formatTime(const FILETIME& time) {
    SYSTEMTIME t{};
    if (!FileTimeToSystemTime(&time, &t))
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%4.4d.%2.2d.%2.2d_%2.2d:%2.2d", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute);
    return text;
}

// Whether the server's last reply on this thread was a failure (4xx, 5xx). A
// server that breaks a listing off hands over what came before it, and the
// library reports the end of that as the end of the list: only the reply
// after the listing tells the two apart.
bool lastReplyFailed(const WinInet& inet) {
    DWORD error = 0;
    wchar_t text[1024];
    DWORD size = static_cast<DWORD>(std::size(text));
    if (!inet.InternetGetLastResponseInfoW(&error, text, &size) || size == 0)
        return false;
    std::wstring_view reply(text, std::min<std::size_t>(size, std::size(text)));
    while (!reply.empty() && (reply.back() == L'\r' || reply.back() == L'\n' || reply.back() == 0))
        reply.remove_suffix(1);
    const std::size_t lastLine = reply.find_last_of(L"\r\n");
    if (lastLine != std::wstring_view::npos)
        reply.remove_prefix(lastLine + 1);
    return !reply.empty() && (reply.front() == L'4' || reply.front() == L'5');
}

class Win32FtpSession : public FtpSession {
public:
    Win32FtpSession(const WinInet& inet, HINTERNET internet, HINTERNET connection)
        : inet_(inet), internet_(internet), connection_(connection) {}
    ~Win32FtpSession() override {
        inet_.InternetCloseHandle(connection_);
        inet_.InternetCloseHandle(internet_);
    }
    Win32FtpSession(const Win32FtpSession&) = delete;
    Win32FtpSession& operator=(const Win32FtpSession&) = delete;

    bool enterFolder(const std::string& folder) override {
        return inet_.FtpSetCurrentDirectoryW(connection_, win32::wide(folder).c_str());
    }

    std::optional<std::vector<RemoteFileInfo>>
    listRemoteFiles(const std::string& pattern) override {
        std::vector<RemoteFileInfo> found;
        WIN32_FIND_DATAW entry{};
        // The whole folder is listed and matched here: servers differ in whether, and how,
        // they apply a pattern sent with the listing command.
        const std::wstring mask = win32::wide(pattern);
        HINTERNET find = inet_.FtpFindFirstFileW(connection_, nullptr, &entry,
                                                 INTERNET_FLAG_NEED_FILE | INTERNET_FLAG_RELOAD, 0);
        if (!find) {
            if (GetLastError() == ERROR_NO_MORE_FILES && !lastReplyFailed(inet_))
                return found;
            return std::nullopt;
        }
        // Only "no more files" ends a listing; any other failure cut it short.
        bool complete = false;
        for (std::size_t listed = 1; listed <= MaxListedFiles; ++listed) {
            std::wstring name = entry.cFileName;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." &&
                name != L".." && PathMatchSpecW(name.c_str(), mask.c_str()))
                found.push_back(
                    {win32::narrow(name), entry.nFileSizeLow, formatTime(entry.ftLastWriteTime)});
            if (!inet_.InternetFindNextFileW(find, &entry)) {
                complete = GetLastError() == ERROR_NO_MORE_FILES;
                break;
            }
        }
        inet_.InternetCloseHandle(find);
        if (!complete || lastReplyFailed(inet_))
            return std::nullopt;
        return found;
    }

    bool downloadFile(const std::string& remoteName, const std::string& localPath) override {
        return inet_.FtpGetFileW(connection_, win32::wide(remoteName).c_str(),
                                 win32::wide(localPath).c_str(), FALSE, FILE_ATTRIBUTE_ARCHIVE,
                                 FTP_TRANSFER_TYPE_BINARY, 0);
    }

private:
    const WinInet& inet_;
    HINTERNET internet_;
    HINTERNET connection_;
};

} // namespace

RepositorySession Win32Ftp::openRepositorySession(const std::string& hostField,
                                                  const std::string& folder,
                                                  const std::string& user,
                                                  const std::string& password) {
    const WinInet* inet = LoadWinInet();
    if (!inet)
        return {SessionStatus::NoInternet, nullptr};
    HINTERNET internet =
        inet->InternetOpenW(L"QZ4Load", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!internet)
        return {SessionStatus::NoInternet, nullptr};
    DWORD timeout = TimeoutMilliseconds;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT})
        inet->InternetSetOptionW(internet, option, &timeout, sizeof timeout);

    FtpAddress address = SplitFtpAddress(hostField);
    HINTERNET connection = inet->InternetConnectW(
        internet, win32::wide(address.host).c_str(), address.port, win32::wide(user).c_str(),
        win32::wide(password).c_str(), INTERNET_SERVICE_FTP, INTERNET_FLAG_PASSIVE, 0);
    if (!connection) {
        inet->InternetCloseHandle(internet);
        return {SessionStatus::ConnectFailed, nullptr};
    }
    auto session = std::make_unique<Win32FtpSession>(*inet, internet, connection);
    if (!session->enterFolder(folder))
        return {SessionStatus::FolderNotFound, nullptr};
    return {SessionStatus::Connected, std::move(session)};
}

} // namespace qz
