#include "installer/EntryPlacement.h"

#include "locale/Format.h"
#include "locale/Language.h"
#include "text/Text.h"

#include <algorithm>

namespace qz {
namespace {

// Archive folders that stand for the system folders.
constexpr char SystemPrefix[] = "SYSTEM\\";
constexpr char WindowsPrefix[] = "WINDOWS\\";

bool startsWithFolder(const std::string& path, const std::string& prefix) {
    return text::upperAscii(path.substr(0, prefix.size())) == prefix;
}

// Files at the archive's top level that hold the user's own data.
bool isProtected(const std::string& archivePath) {
    const std::string upper = text::upper(archivePath);
    return upper == "RESULTS.DAT" || upper == "QZ.INI";
}

bool isExcluded(const InstallerSetup& setup, const std::string& archivePath) {
    std::size_t slash = archivePath.find('\\');
    if (slash == std::string::npos)
        return false;
    const std::string top = text::upper(text::trim(archivePath.substr(0, slash)));
    return std::find(setup.excludedDirs.begin(), setup.excludedDirs.end(), top) !=
           setup.excludedDirs.end();
}

// The core libraries are always replaced; other system files only by a
// newer copy.
bool olderThanSystemFile(FileSystem& files, const std::string& copy, const std::string& target) {
    if (!files.fileExists(target))
        return false;
    const std::string upper = text::upper(target);
    if (upper.find("QZ4.DLL") != std::string::npos ||
        upper.find("QZ4TOOLS.DLL") != std::string::npos)
        return false;
    auto copyTime = files.lastWriteTime(copy);
    auto targetTime = files.lastWriteTime(target);
    return !copyTime || !targetTime || *copyTime <= *targetTime;
}

std::string parentOf(const std::string& path) {
    std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Creates the folder and its missing parents, remembering each one made.
void createFolder(FileSystem& files, const std::string& folder, PlacementRecord& record) {
    if (folder.empty() || files.directoryExists(folder))
        return;
    std::string parent = parentOf(folder);
    if (parent != folder)
        createFolder(files, parent, record);
    if (!files.createDirectory(folder))
        return;
    const std::string upper = text::upper(folder);
    if (std::find(record.createdDirs.begin(), record.createdDirs.end(), upper) ==
        record.createdDirs.end())
        record.createdDirs.push_back(upper);
}

bool deleteOrAsk(Platform& platform, const std::string& target) {
    if (auto attributes = platform.files.attributes(target);
        attributes && (*attributes & AttrReadOnly))
        platform.files.setAttributes(target, *attributes & ~AttrReadOnly);
    while (!platform.files.deleteFile(target)) {
        MessageRequest question{
            MessageKind::Warning,
            Format(Pick("Ошибка при обновлении файла \"%s\". Возможно, прежняя версия файла "
                        "используется в одном из работающих приложений. Закройте все "
                        "приложения, кроме программы установки %s, и повторите попытку "
                        "обновления, нажав кнопку \"Повтор\".\r\nПри повторном возникновении "
                        "ошибки нажмите кнопку \"Далее\".",
                        "Could not update the \"%s\" file. It seems likely that the file is used "
                        "by one of the executing applications. Close all applications, except "
                        "the install program, and press the \"Repeat\" button. If file updating "
                        "fails again, press the \"Next\" button."),
                   {target, std::string(ProductName)}),
            "",
            {DialogButton::Retry, DialogButton::Ignore}};
        if (platform.dialogs.showMessage(question) != DialogButton::Retry)
            return false;
    }
    return true;
}

std::string listed(const std::string& path) {
    return "\"" + path + "\", ";
}

} // namespace

std::string PlacementTarget(const InstallerSetup& setup, const std::string& archivePath) {
    if (startsWithFolder(archivePath, SystemPrefix))
        return setup.systemDir + "\\" + archivePath.substr(sizeof SystemPrefix - 1);
    if (startsWithFolder(archivePath, WindowsPrefix))
        return setup.windowsDir + "\\" + archivePath.substr(sizeof WindowsPrefix - 1);
    return setup.installDir + "\\" + archivePath;
}

void PlaceEntry(Platform& platform, const InstallerSetup& setup, PlacementRecord& record,
                const std::string& archivePath) {
    FileSystem& files = platform.files;
    if (isExcluded(setup, archivePath))
        return;
    const std::string copy = setup.installDir + "\\TEMP\\" + archivePath;
    const std::string target = PlacementTarget(setup, archivePath);
    const bool systemEntry = startsWithFolder(archivePath, SystemPrefix);
    if ((systemEntry || startsWithFolder(archivePath, WindowsPrefix)) &&
        olderThanSystemFile(files, copy, target))
        return;
    createFolder(files, parentOf(target), record);
    // A rollback takes back what this run brought, but cannot bring back a
    // system file it replaced: those stay.
    const bool systemFolder = systemEntry || startsWithFolder(archivePath, WindowsPrefix);
    const bool undoable = !systemFolder || !files.fileExists(target);

    if (!isProtected(archivePath)) {
        bool gone = !files.fileExists(target) || deleteOrAsk(platform, target);
        if (!gone || !files.moveFile(copy, target, false)) {
            record.notUpdated += listed(target);
            files.deleteFile(copy);
            return;
        }
        if (undoable)
            record.placedFiles.push_back(target);
    } else if (files.fileExists(target)) {
        files.deleteFile(copy); // the user's own file stays
    } else if (files.moveFile(copy, target, false)) {
        record.placedFiles.push_back(target);
    } else {
        record.notCreated += listed(target);
        files.deleteFile(copy);
        return;
    }
    if (!systemEntry)
        record.uninstallList.push_back(target);
}

} // namespace qz
