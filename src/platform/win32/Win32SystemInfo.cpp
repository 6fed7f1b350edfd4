#include "platform/win32/Win32SystemInfo.h"

#include "platform/CommandLine.h"
#include "platform/DosDateTime.h"
#include "platform/win32/WideString.h"

#include <windows.h>

#include <shlobj.h>

namespace qz {

using win32::narrow;
using win32::wide;

std::string Win32SystemInfo::localeLanguageName() const {
    wchar_t name[100] = {};
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, name, 100) == 0)
        return std::string();
    return narrow(name);
}

std::uint16_t Win32SystemInfo::uiLanguageId() const {
    return GetSystemDefaultUILanguage();
}

std::string Win32SystemInfo::userName() const {
    wchar_t name[257] = {};
    DWORD size = 257;
    if (!GetUserNameW(name, &size))
        return std::string();
    return narrow(name);
}

std::optional<std::string> Win32SystemInfo::environmentVariable(const std::string& name) const {
    std::wstring n = wide(name);
    DWORD size = GetEnvironmentVariableW(n.c_str(), nullptr, 0);
    if (size == 0)
        return std::nullopt;
    std::wstring value(size, L'\0');
    GetEnvironmentVariableW(n.c_str(), value.data(), size);
    return narrow(value.c_str());
}

// The program is a 32-bit one: on 64-bit Windows its system libraries live in
// the 32-bit system folder (SysWOW64), where its reads of System32 are
// redirected. That folder is named as it is, so that a shortcut or a record
// line means the same file to a 64-bit reader (Explorer) and so that the x64
// build, which reads the 32-bit registry view, sees the 32-bit files too. On
// 32-bit Windows there is no such folder and System32 is the one.
std::string Win32SystemInfo::systemDirectory() const {
    wchar_t dir[MAX_PATH] = {};
    if (GetSystemWow64DirectoryW(dir, MAX_PATH) == 0)
        GetSystemDirectoryW(dir, MAX_PATH);
    return narrow(dir);
}

std::string Win32SystemInfo::windowsDirectory() const {
    wchar_t dir[MAX_PATH] = {};
    GetWindowsDirectoryW(dir, MAX_PATH);
    return narrow(dir);
}

std::string Win32SystemInfo::specialFolder(SpecialFolder folder) const {
    int id = CSIDL_APPDATA;
    switch (folder) {
    case SpecialFolder::Programs:
        id = CSIDL_PROGRAMS;
        break;
    case SpecialFolder::Desktop:
        id = CSIDL_DESKTOPDIRECTORY;
        break;
    case SpecialFolder::CommonPrograms:
        id = CSIDL_COMMON_PROGRAMS;
        break;
    case SpecialFolder::CommonDesktop:
        id = CSIDL_COMMON_DESKTOPDIRECTORY;
        break;
    case SpecialFolder::AppData:
        break;
    }
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::string();
    return narrow(path);
}

unsigned Win32SystemInfo::ansiCodePage() const {
    return GetACP();
}
unsigned Win32SystemInfo::oemCodePage() const {
    return GetOEMCP();
}

// As the system's own file dates work: the local time at today's offset
// from UTC. Values that name no moment are refused here as on the host,
// whatever the system makes of them.
std::optional<FileTime> Win32SystemInfo::dosDateTimeToFileTime(std::uint32_t dosDateTime) const {
    FILETIME local, utc;
    if (!DosDateTime::unpack(dosDateTime).isReal() ||
        !DosDateTimeToFileTime(HIWORD(dosDateTime), LOWORD(dosDateTime), &local) ||
        !LocalFileTimeToFileTime(&local, &utc))
        return std::nullopt;
    return static_cast<FileTime>((static_cast<std::uint64_t>(utc.dwHighDateTime) << 32) |
                                 utc.dwLowDateTime);
}

std::optional<std::uint32_t> Win32SystemInfo::fileTimeToDosDateTime(FileTime time) const {
    FILETIME utc, local;
    utc.dwLowDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(time) & 0xFFFFFFFFu);
    utc.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(time) >> 32);
    WORD date = 0, dosTime = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &dosTime))
        return std::nullopt;
    return static_cast<std::uint32_t>(date) << 16 | dosTime;
}

std::string Win32SystemInfo::programPath() const {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size())
            return narrow(buffer.substr(0, n));
        buffer.resize(buffer.size() * 2);
    }
}

std::vector<std::string> Win32SystemInfo::commandLine() const {
    // Not CommandLineToArgvW: it reads the backslash of "C:\My Dir\" as escaping the quote.
    std::vector<std::string> words = SplitCommandLine(narrow(GetCommandLineW()));
    if (!words.empty())
        words.erase(words.begin());
    return words;
}

} // namespace qz
