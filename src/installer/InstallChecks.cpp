#include "installer/InstallChecks.h"

#include "installer/FileDate.h"
#include "locale/Format.h"
#include "locale/Language.h"
#include "text/Text.h"

namespace qz {
namespace {

// Core libraries of 2005 and earlier belong to a generation that the new
// ones replace with a known side effect.
constexpr int LastOldLibraryYear = 2005;

void show(Dialogs& dialogs, MessageKind kind, const std::string& text) {
    dialogs.showMessage({kind, text, "", {DialogButton::Ok}});
}

bool oldVersionInstalled(Platform& platform, const InstallerSetup& s) {
    if (!platform.files.directoryExists(s.programFilesDir + "\\QZ4\\UNINST.QZ4"))
        return false;
    show(platform.dialogs, MessageKind::Warning,
         Pick("Перед установкой данной версии " + ProductNounGenitive() + " " + ProductName +
                  " необходимо удалить ранее установленную версию (команда \"Пуск | Программы | "
                  "Quazzle 4 | Удаление Quazzle 4\").",
              "Before installing Quazzle 4 you have to uninstall its previous version (\"Start | "
              "Programs | Uninstall Quazzle 4\")."));
    return true;
}

bool folderCreated(Platform& platform, const std::string& dir) {
    if (!platform.files.directoryExists(dir))
        platform.files.createDirectories(dir);
    if (platform.files.directoryExists(dir))
        return true;
    show(platform.dialogs, MessageKind::Error,
         Format(Pick("Невозможно создать каталог \"%s\".\r\nВыберите другой каталог для "
                     "установки %s.",
                     "Could not create the \"%s\" directory. Choose other directory for QZ4."),
                {dir, ProductNounGenitive()}));
    return false;
}

bool folderWritable(Platform& platform, const std::string& dir) {
    const std::string probe = dir + "\\$$tfile$.tmp";
    if (platform.files.open(probe, OpenMode::Create)) {
        platform.files.deleteFile(probe);
        return true;
    }
    show(platform.dialogs, MessageKind::Error,
         Format(Pick("Каталог \"%s\" закрыт на запись.\r\nВыберите другой каталог для "
                     "установки %s.",
                     "The \"%s\" directory is read-only. Choose other directory for QZ4."),
                {dir, ProductNounGenitive()}));
    return false;
}

bool oldLibrariesAccepted(Platform& platform, const InstallerSetup& s) {
    auto time = platform.files.lastWriteTime(s.systemDir + "\\qz4.dll");
    auto date = time ? LocalDateOf(platform.system, *time) : std::nullopt;
    if (!date || !platform.files.fileExists(s.systemDir + "\\qz4.dll") ||
        date->year > LastOldLibraryYear)
        return true;
    MessageRequest question{
        MessageKind::Warning,
        Pick("На вашем компьютере обнаружены старые версии некоторых компонентов задачника "
             "Quazzle. Их замена на новые не должна вызвать проблем. Однако, если вы "
             "пользуетесь системой Pascal ABC с номером версии 2.4 или ниже, то замена "
             "компонентов может привести к некорректной работе задачника, интегрированного в "
             "систему Pascal ABC. Для того чтобы избежать проблем, мы настоятельно рекомендуем "
             "использовать версию системы Pascal ABC, выпущенную не ранее 2006 года, с номером "
             "2.5 или выше (номер версии системы Pascal ABC и время ее выпуска отображаются в "
             "информационном окне, которое можно вызвать командой меню \"Помощь | О "
             "программе\").\r\nПродолжить установку задачника, выполнив замену его старых "
             "компонентов на новые?",
             "The old versions of some Quazzle components were found on your computer. It will "
             "be modified, but using Pascal ABC version 2.4 or lower will lead to unproper work "
             "of Quazzle in the Pascal ABC environment (in the other environments Quazzle will "
             "work correctly). To avoid this problem you should use Pascal ABC version 2.5 or "
             "higher. Do you want to continue installation of Quazzle with replacement of the "
             "old components by the new ones?"),
        "",
        {DialogButton::Yes, DialogButton::No}};
    return platform.dialogs.showMessage(question) == DialogButton::Yes;
}

} // namespace

bool RunInstallChecks(Platform& platform, InstallerSetup& setup, const std::string& folderField) {
    if (oldVersionInstalled(platform, setup))
        return false;
    std::string dir = folderField;
    if (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    if (!folderCreated(platform, dir) || !folderWritable(platform, dir) ||
        !oldLibrariesAccepted(platform, setup))
        return false;
    setup.installDir = dir;
    setup.excludedDirs.clear();
    for (const std::string& value : setup.excludeDirValues)
        setup.excludedDirs.push_back(text::upper(value));
    return true;
}

} // namespace qz
