// Entry point of the stand-in uninstaller sysunima.exe: its parameter is the
// uninstall record's path, after /S for a removal without questions.
#include "Uninstaller.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SystemInfo.h"

int main() {
    qz::Win32FileSystem files;
    qz::Win32SystemInfo system;
    qz::Win32Dialogs dialogs;
    qz::Win32Registry registry;
    qz::demo::Uninstaller uninstaller(files, dialogs, system, registry);
    return uninstaller.run(system.commandLine());
}
