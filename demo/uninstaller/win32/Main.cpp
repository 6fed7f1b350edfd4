// Entry point of the stand-in uninstaller sysunima.exe: its one parameter is
// the uninstall record's path.
#include "Uninstaller.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemInfo.h"

int main() {
    qz::Win32FileSystem files;
    qz::Win32SystemInfo system;
    qz::Win32Dialogs dialogs;
    qz::demo::Uninstaller uninstaller(files, dialogs, system);
    return uninstaller.run(system.commandLine());
}
