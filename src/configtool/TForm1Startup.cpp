// The main window's start-up: the checks, the catalogue, the settings, the
// detection and the first page, in the order the tool has always done them.
#include "configtool/ProcessFlags.h"
#include "configtool/TForm1.h"
#include "locale/Catalogue.h"
#include "locale/ErrorName.h"
#include "locale/Format.h"

#include <stdexcept>

namespace qz {
namespace {

constexpr const char* ToolPrograms[] = {"QZ4Demo.exe", "QZ4Load.exe", "QZ4Res.exe", "QZ4Panel.exe"};

} // namespace

void TForm1::FormCreate() {
    try {
        if (!toolsPresent())
            return;
        catalogue_.fill();
        commandLine_ = ReadSettingsCommandLine(platform_.system.commandLine(), platform_.files);
        settingsFile_.importSettingsDirectory(commandLine_.settingsDirectory);
        layOutBottomLabels();
        pages_ = {&TabSheet12};
        if (!catalogue_.checkModules()) {
            ShowErrorBox(platform_.dialogs, MsgNoEnvironments);
            QuitOnShow = true;
            return;
        }
        pages_.push_back(&TabSheet3);
        readSettings();
        environmentPage.detectAndRefreshAll();
        workDirPage.RefreshWorkDirStatus();
        recordInstallDirectory();
        createLibFolder();
        ShowPage(platform_.files.fileExists(programDirectory_ + "access.dat") ? 2 : 1);
        startupDone_ = true;
        if (commandLine_.fast)
            QuitOnShow = true;
    } catch (const std::exception& error) {
        platform_.dialogs.showMessage(MessageRequest{
            MessageKind::Error,
            Format(MsgStartupError, {ErrorClassName(error), std::string(error.what())}),
            "",
            {DialogButton::Ok}});
        QuitOnShow = true;
    }
}

bool TForm1::toolsPresent() {
    std::string missing;
    for (const char* name : ToolPrograms)
        if (!platform_.files.fileExists(programDirectory_ + name))
            missing += (missing.empty() ? "" : ", ") + std::string(name);
    if (missing.empty())
        return true;
    platform_.dialogs.showMessage(
        MessageRequest{MessageKind::Error,
                       MsgToolsNotFound + "\r\n" + missing + ".\r\n" + MsgReinstall,
                       "",
                       {DialogButton::Ok}});
    QuitOnShow = true;
    return false;
}

void TForm1::readSettings() {
    settings_ = settingsFile_.read(&environmentSettings_);
    environmentPage.showList();
    templates_.startupRefresh(OutputFolderSetting{settings_.useLocalDir, settings_.localDirName});
    workDirPage.ListBox1.items = settings_.workDirectories;
    workDirPage.ListBox1.itemIndex = settings_.selectedWorkDirectory;
}

void TForm1::recordInstallDirectory() {
    // Other programs find the problem book here; a failure changes nothing
    // for this tool.
    const std::string key = "\\SOFTWARE\\Quazzle 4";
    std::string folder = programDirectory_.substr(0, programDirectory_.size() - 1);
    if (platform_.registry.keyExists(RegistryRoot::LocalMachine, key) ||
        platform_.registry.createKey(RegistryRoot::LocalMachine, key))
        platform_.registry.writeString(RegistryRoot::LocalMachine, key, "Install Directory",
                                       folder);
}

void TForm1::createLibFolder() {
    const std::string lib = programDirectory_ + "LIB";
    if (!platform_.files.directoryExists(lib) && !platform_.files.createDirectory(lib))
        throw std::runtime_error("Cannot create the directory " + lib);
}

ConfigureOutcome TForm1::configureWithoutWindow() {
    if (!startupDone_)
        return ConfigureOutcome::StartupRefused;
    if (commandLine_.fast)
        return ConfigureOutcome::Configured; // -FAST writes nothing, with or without the window
    FormClose();
    return settingsWritten_ ? ConfigureOutcome::Configured : ConfigureOutcome::SettingsNotWritten;
}

} // namespace qz
