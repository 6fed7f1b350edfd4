#include "app/Program.h"

#include "app/Role.h"
#include "configtool/ProcessFlags.h"
#include "configtool/TForm1.h"
#include "configtool/TForm3.h"
#include "environments/TForm7.h"
#include "environments/TForm8.h"
#include "installer/InstallerRun.h"
#include "locale/Catalogue.h"
#include "locale/ErrorName.h"
#include "locale/Language.h"
#include "workdir/TForm4.h"
#include "workdir/TForm5.h"

namespace qz {
namespace {

// One pass builds every window of the tool, shows the main window until it
// closes and frees them again; the language toggle asks for another pass so
// that all windows are built in the new language.
void RunConfigurationTool(Platform& platform, Ftp& ftp) {
    do {
        RestartRequested = false;
        TForm3 about(platform.dialogs);
        TForm4 name(platform.dialogs);
        TForm7 output(platform.dialogs, platform.files);
        TForm8 environment(platform.dialogs, platform.files);
        TForm5 repository(platform.dialogs, platform.files);
        TForm1 main(platform, ToolDialogs{about, name, output, environment, repository}, ftp);
        main.showModal();
    } while (RestartRequested);
}

int RunRole(Platform& platform, Ftp& ftp) {
    if (RoleForProgram(platform.system.programPath()) == Role::Installer)
        return RunInstaller(platform);
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
