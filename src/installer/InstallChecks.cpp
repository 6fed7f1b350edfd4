#include "installer/InstallChecks.h"

#include "installer/FileDate.h"
#include "locale/Format.h"
#include "locale/Language.h"
#include "platform/PathRoot.h"
#include "text/Text.h"

#include <cctype>

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

// A folder below a drive or share named in full: links and the launch of
// the configuration tool would otherwise point relative to whatever folder
// is current, and the root of a drive holds far more than the installation.
bool folderFullPath(Platform& platform, const std::string& dir) {
    const std::size_t root = PathRootLength(dir);
    const bool drive = dir.size() >= 2 && dir[1] == ':' &&
                       std::isalpha(static_cast<unsigned char>(dir[0])) && root != 2;
    const bool share = dir.starts_with("\\\\") && root > 2;
    const bool isRoot =
        (dir.size() == 2 && dir[1] == ':') || ((drive || share) && dir.size() <= root);
    if ((drive || share) && !isRoot)
        return true;
    show(platform.dialogs, MessageKind::Error,
         Format(isRoot ? Pick("Каталог установки не может быть корневым каталогом диска: "
                              "\"%s\".\r\nВыберите другой каталог для установки %s.",
                              "The installation directory cannot be the root of a drive: \"%s\". "
                              "Choose other directory for QZ4.")
                       : Pick("Каталог установки \"%s\" задан не полным путем.\r\nУкажите "
                              "полный путь, например C:\\Program Files\\QZ4.",
                              "The installation directory \"%s\" is not a full path. Enter a full "
                              "path, such as C:\\Program Files\\QZ4."),
                {dir, ProductNounGenitive()}));
    return false;
}

// Makes the folder with its missing parents, remembering which it made so
// that a rollback can take them away again.
bool folderCreated(Platform& platform, InstallerSetup& setup, const std::string& dir) {
    setup.createdInstallDirs.clear();
    std::vector<std::string> missing;
    for (std::string f = dir; f.size() > PathRootLength(f) && !platform.files.directoryExists(f);
         f = f.substr(0, f.find_last_of('\\')))
        missing.insert(missing.begin(), f);
    platform.files.createDirectories(dir);
    if (platform.files.directoryExists(dir)) {
        setup.createdInstallDirs = missing;
        return true;
    }
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
    if (!folderFullPath(platform, dir) || !folderCreated(platform, setup, dir) ||
        !folderWritable(platform, dir) || !oldLibrariesAccepted(platform, setup))
        return false;
    setup.installDir = dir;
    setup.excludedDirs.clear();
    for (const std::string& value : setup.excludeDirValues)
        setup.excludedDirs.push_back(text::upper(value));
    return true;
}

} // namespace qz
