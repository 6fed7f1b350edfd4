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
// The missing ones are found walking up and made walking down, so a deep
// target costs a loop, never the stack.
void createFolder(FileSystem& files, const std::string& folder, PlacementRecord& record) {
    if (folder.size() > MaxFolderPathLength)
        return; // the move into place fails and lists the file
    std::vector<std::string> missing;
    for (std::string f = folder; !f.empty() && !files.directoryExists(f); f = parentOf(f))
        missing.push_back(f);
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!files.createDirectory(*it))
            return;
        const std::string upper = text::upper(*it);
        if (std::find(record.createdDirs.begin(), record.createdDirs.end(), upper) ==
            record.createdDirs.end())
            record.createdDirs.push_back(upper);
    }
}

std::string lockedFileQuestion(const std::string& target) {
    return Format(Pick("Ошибка при обновлении файла \"%s\". Возможно, прежняя версия файла "
                       "используется в одном из работающих приложений. Закройте все "
                       "приложения, кроме программы установки %s, и повторите попытку "
                       "обновления, нажав кнопку \"Повтор\".\r\nПри повторном возникновении "
                       "ошибки нажмите кнопку \"Далее\".",
                       "Could not update the \"%s\" file. It seems likely that the file is used "
                       "by one of the executing applications. Close all applications, except "
                       "the install program, and press the \"Repeat\" button. If file updating "
                       "fails again, press the \"Next\" button."),
                  {target, std::string(ProductName)});
}

// Takes the existing target out of the way: a copy goes to the backup
// folder for a rollback, then the target is deleted. While either fails the
// locked-file question is asked; Ignore leaves the target as it was.
bool setAside(Platform& platform, const InstallerSetup& setup, PlacementRecord& record,
              const std::string& target) {
    FileSystem& files = platform.files;
    const std::uint32_t attributes = files.attributes(target).value_or(AttrNormal);
    if (attributes & AttrReadOnly)
        files.setAttributes(target, attributes & ~AttrReadOnly);
    // A file this run placed already needs no backup: a rollback removes it.
    const bool keepCopy = !record.placedKeys.contains(text::upper(target));
    const std::string backup =
        setup.backupDir() + "\\" + std::to_string(record.replaced.size() + 1);
    if (keepCopy)
        files.createDirectories(setup.backupDir());
    while (!((!keepCopy || files.copyFile(target, backup, false)) && files.deleteFile(target))) {
        MessageRequest question{MessageKind::Warning,
                                lockedFileQuestion(target),
                                "",
                                {DialogButton::Retry, DialogButton::Ignore}};
        if (platform.dialogs.showMessage(question) != DialogButton::Retry) {
            files.deleteFile(backup);
            files.setAttributes(target, attributes);
            return false;
        }
    }
    if (keepCopy)
        record.replaced.push_back({target, backup, attributes});
    return true;
}

// Puts the last file set aside back in its place, when the new one could
// not take it.
void putBack(FileSystem& files, PlacementRecord& record, const std::string& target) {
    if (record.replaced.empty() || record.replaced.back().target != target)
        return;
    const ReplacedFile& old = record.replaced.back();
    if (files.moveFile(old.backup, old.target, false))
        files.setAttributes(old.target, old.attributes);
    record.replaced.pop_back();
}

} // namespace

void PlacementRecord::placed(const std::string& target) {
    placedFiles.push_back(target);
    placedKeys.insert(text::upper(target));
}

std::string PlacementTarget(const InstallerSetup& setup, const std::string& archivePath) {
    if (startsWithFolder(archivePath, SystemPrefix))
        return setup.systemDir + "\\" + archivePath.substr(sizeof SystemPrefix - 1);
    if (startsWithFolder(archivePath, WindowsPrefix))
        return setup.windowsDir + "\\" + archivePath.substr(sizeof WindowsPrefix - 1);
    return setup.installDir + "\\" + archivePath;
}

Placement PlaceEntry(Platform& platform, const InstallerSetup& setup, PlacementRecord& record,
                     const std::string& archivePath) {
    FileSystem& files = platform.files;
    if (isExcluded(setup, archivePath))
        return Placement::Excluded;
    const std::string copy = setup.extractionDir() + "\\" + archivePath;
    const std::string target = PlacementTarget(setup, archivePath);
    const bool systemEntry = startsWithFolder(archivePath, SystemPrefix);
    if ((systemEntry || startsWithFolder(archivePath, WindowsPrefix)) &&
        olderThanSystemFile(files, copy, target))
        return Placement::KeptNewer;
    createFolder(files, parentOf(target), record);
    Placement placement = Placement::Placed;

    if (!isProtected(archivePath)) {
        bool gone = !files.fileExists(target) || setAside(platform, setup, record, target);
        if (!gone || !files.moveFile(copy, target, false)) {
            if (gone)
                putBack(files, record, target);
            record.notUpdated += ProblemListItem(target);
            files.deleteFile(copy);
            return Placement::NotUpdated;
        }
        record.placed(target);
    } else if (files.fileExists(target)) {
        files.deleteFile(copy); // the user's own file stays
        placement = Placement::Kept;
    } else if (files.moveFile(copy, target, false)) {
        record.placed(target);
    } else {
        record.notCreated += ProblemListItem(target);
        files.deleteFile(copy);
        return Placement::NotCreated;
    }
    if (!systemEntry)
        record.uninstallList.push_back(target);
    return placement;
}

std::string ProblemListItem(const std::string& name) {
    return "\"" + name + "\", ";
}

const char* PlacementName(Placement placement) {
    switch (placement) {
    case Placement::Placed:
        return "placed";
    case Placement::Kept:
        return "kept (the user's own file)";
    case Placement::KeptNewer:
        return "kept (the system's copy is as new or newer)";
    case Placement::Excluded:
        return "excluded";
    case Placement::NotUpdated:
        return "not updated";
    case Placement::NotCreated:
        return "not created";
    }
    return "";
}

std::string CreateTemporaryFolder(FileSystem& files, const std::string& installDir) {
    // A folder that is there already may hold anyone's files: only one this
    // call makes is used, and making fails when the name is taken.
    constexpr int Attempts = 1000;
    for (int n = 1; n <= Attempts; ++n) {
        const std::string folder = installDir + "\\~QZ4Setup" + std::to_string(n) + ".tmp";
        if (files.createDirectory(folder))
            return folder;
        if (!files.attributes(folder))
            break; // not taken, so it cannot be made at all
    }
    return {};
}

} // namespace qz
