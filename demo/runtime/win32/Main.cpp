// Entry point of the stand-in runtime programs: the role comes from the
// executable's own name, the window is the portable form rendered by the
// program's Win32 renderer.
#include "StandInRole.h"
#include "TStandInForm.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemInfo.h"
#include "ui/win32/FormRenderer.h"

int main() {
    qz::Win32FileSystem files;
    qz::Win32SystemInfo system;
    qz::Win32Dialogs dialogs;
    qz::ui::win32::FormRenderer windows(dialogs, files);

    auto role = qz::demo::StandInRoleFor(system.programPath());
    if (!role) {
        dialogs.showMessage({qz::MessageKind::Error,
                             "This program runs as QZ4Demo.exe, QZ4Load.exe, QZ4Res.exe or "
                             "QZ4Panel.exe only.",
                             {}});
        return 1;
    }
    qz::demo::TStandInForm form(dialogs, files, *role);
    form.showModal();
    return 0;
}
