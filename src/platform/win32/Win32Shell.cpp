#include "platform/win32/Win32Shell.h"

#include "platform/win32/WideString.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

namespace qz {
namespace {

// One road for every request: the shell chooses the program for the verb.
bool Execute(const wchar_t* verb, const std::string& target, const std::string& parameters,
             const std::string& directory) {
    std::wstring file = win32::wide(target);
    std::wstring params = win32::wide(parameters);
    std::wstring folder = win32::wide(directory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = verb;
    info.lpFile = file.c_str();
    info.lpParameters = params.empty() ? nullptr : params.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

// COM for the duration of one call, on a thread that may or may not have it
// (on the shell's own thread it only counts up and down).
class ComScope {
public:
    ComScope() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (started_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool started_;
};

// The shell link object and its file interface, released in turn.
struct LinkObject {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    LinkObject() {
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkW, reinterpret_cast<void**>(&link))))
            link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    }
    ~LinkObject() {
        if (file)
            file->Release();
        if (link)
            link->Release();
    }
    LinkObject(const LinkObject&) = delete;
    LinkObject& operator=(const LinkObject&) = delete;
    bool ready() const { return file != nullptr; }
};

} // namespace

Win32Shell::Win32Shell()
    : comStarted_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

Win32Shell::~Win32Shell() {
    if (comStarted_)
        CoUninitialize();
}

bool Win32Shell::openDocument(const std::string& target) {
    return Execute(L"open", target, "", "");
}

bool Win32Shell::exploreFolder(const std::string& folder) {
    return Execute(L"explore", folder, "", "");
}

bool Win32Shell::startProgram(const std::string& path, const std::string& parameters,
                              const std::string& directory) {
    return Execute(nullptr, path, parameters, directory);
}

bool Win32Shell::createShortcut(const std::string& linkPath, const ShellLink& link) {
    std::wstring path = win32::wide(linkPath);
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    ComScope com;
    LinkObject object;
    return object.ready() && SUCCEEDED(object.link->SetPath(win32::wide(link.target).c_str())) &&
           SUCCEEDED(object.link->SetArguments(win32::wide(link.arguments).c_str())) &&
           SUCCEEDED(
               object.link->SetWorkingDirectory(win32::wide(link.workingDirectory).c_str())) &&
           (link.iconPath.empty() || SUCCEEDED(object.link->SetIconLocation(
                                         win32::wide(link.iconPath).c_str(), link.iconIndex))) &&
           SUCCEEDED(object.file->Save(path.c_str(), TRUE));
}

std::optional<ShellLink> Win32Shell::readShortcut(const std::string& linkPath) {
    ComScope com;
    LinkObject object;
    if (!object.ready() || FAILED(object.file->Load(win32::wide(linkPath).c_str(), STGM_READ)))
        return std::nullopt;
    // Paths and arguments of shortcuts are limited to what these buffers hold.
    wchar_t buffer[INFOTIPSIZE] = {};
    ShellLink link;
    // The item list holds the target whole; the path of the link's
    // location block may be an ANSI copy that lost letters.
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(object.link->GetIDList(&items)) && items && SHGetPathFromIDListW(items, buffer)) {
        link.target = win32::narrow(buffer);
    } else if (SUCCEEDED(object.link->GetPath(buffer, INFOTIPSIZE, nullptr, SLGP_RAWPATH))) {
        link.target = win32::narrow(buffer);
    } else {
        CoTaskMemFree(items);
        return std::nullopt;
    }
    CoTaskMemFree(items);
    buffer[0] = 0;
    object.link->GetArguments(buffer, INFOTIPSIZE);
    link.arguments = win32::narrow(buffer);
    buffer[0] = 0;
    object.link->GetWorkingDirectory(buffer, INFOTIPSIZE);
    link.workingDirectory = win32::narrow(buffer);
    buffer[0] = 0;
    int icon = 0;
    object.link->GetIconLocation(buffer, INFOTIPSIZE, &icon);
    link.iconPath = win32::narrow(buffer);
    link.iconIndex = icon;
    return link;
}

} // namespace qz
