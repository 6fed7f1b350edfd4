#include "app/Program.h"

#include "app/Role.h"
#include "app/ToolWindows.h"
#include "app/WindowlessConfiguration.h"
#include "configtool/ProcessFlags.h"
#include "installer/InstallerRun.h"
#include "locale/Catalogue.h"
#include "locale/ErrorName.h"
#include "locale/Language.h"

namespace qz {
namespace {

// One pass builds every window of the tool, shows the main window until it
// closes and frees them again; the language toggle asks for another pass so
// that all windows are built in the new language.
void RunConfigurationTool(Platform& platform, Ftp& ftp) {
    do {
        RestartRequested = false;
        ToolWindows windows(platform.dialogs, platform.files);
        TForm1 main(platform, windows.dialogs(), ftp);
        main.showModal();
    } while (RestartRequested);
}

int RunRole(Platform& platform, Ftp& ftp) {
    if (RoleForProgram(platform.system.programPath()) == Role::Installer)
        return RunInstaller(platform);
    if (auto windowless = ReadWindowlessRequest(platform.system.commandLine()))
        return ConfigureWithoutWindow(platform, ftp, *windowless);
    RunConfigurationTool(platform, ftp);
    return 0;
}

} // namespace

int RunProgram(Platform& platform, Ftp& ftp) {
    // The last line of defence: an error no handler dealt with is shown, and
    // the program then ends as it always does.
    try {
        BindStandardTexts(platform.dialogs);
        ChooseStartupLanguage(platform.system, platform.files);
        FillCatalogue();
        return RunRole(platform, ftp);
    } catch (...) {
        ShowUnhandledError(platform.dialogs, std::current_exception());
        return UnexpectedErrorStatus;
    }
}

} // namespace qz
