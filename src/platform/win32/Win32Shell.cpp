#include "platform/win32/Win32Shell.h"

#include "platform/win32/WideString.h"

#include <windows.h>

#include <shellapi.h>

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

} // namespace

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

} // namespace qz
