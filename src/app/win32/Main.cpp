// The Windows entry point: wraps the system in its ports and runs the program.
#include "app/Program.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "ui/win32/FormRenderer.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qz::Win32FileSystem files;
    qz::Win32Registry registry;
    qz::Win32SystemInfo system;
    qz::Win32Dialogs dialogs;
    qz::Win32Resources resources;
    qz::Win32Shell shell;
    qz::ui::win32::FormRenderer windows(dialogs, files);
    qz::Platform platform{files, registry, system, dialogs, resources, shell};
    qz::RunProgram(platform);
    // The program always ends through the normal shutdown with exit code 0.
    return 0;
}
