// The Windows entry point: wraps the system in its ports and runs the program.
#include "app/Program.h"
#include "locale/ErrorName.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Ftp.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "ui/win32/FormRenderer.h"

#include <windows.h>

namespace {

// Libraries loaded from now on come from the system folder only, never from the
// executable's folder or the current one: the installer runs with administrator
// rights from wherever it was downloaded to, beside whatever else came with it.
// Windows 7 has the call only with its update KB2533623; without it the current
// folder at least leaves the search.
void RestrictLibrarySearch() {
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    auto call = reinterpret_cast<SetDefaultDllDirectoriesCall>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!call || !call(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryW(L"");
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RestrictLibrarySearch();
    qz::Win32FileSystem files;
    qz::Win32Registry registry;
    qz::Win32SystemInfo system;
    qz::Win32Dialogs dialogs;
    qz::Win32Resources resources;
    qz::Win32Shell shell;
    qz::Win32Ftp ftp;
    qz::ui::win32::FormRenderer windows(dialogs, files);
    qz::Platform platform{files, registry, system, dialogs, resources, shell};
    try {
        return qz::RunProgram(platform, ftp);
    } catch (...) {
        // Only what the program's own error box could not show gets here.
        MessageBoxW(nullptr, qz::win32::wide(qz::DescribeError(std::current_exception())).c_str(),
                    L"QZ4", MB_OK | MB_ICONERROR);
        return qz::UnexpectedErrorStatus;
    }
}
