#include "installer/FinishingSteps.h"

#include "installer/FolderTree.h"
#include "installer/UninstallEntry.h"
#include "installer/UninstallRecord.h"
#include "locale/Format.h"
#include "locale/Language.h"
#include "text/Text.h"

namespace qz {
namespace {

constexpr int ShortcutStep = 5;

std::string groupName() {
    return std::string(GroupFolder).substr(1);
}

// A list without its trailing comma and blank, in its sentence, with CR LF.
std::string problemText(const std::string& list, const std::string& russian,
                        const std::string& english) {
    if (list.empty())
        return {};
    return Format(Pick(russian, english), {list.substr(0, list.size() - 2)}) + "\r\n";
}

bool containsIgnoringCase(const std::string& text, const std::string& part) {
    return !part.empty() && text::upper(text).find(text::upper(part)) != std::string::npos;
}

bool skipped(const InstallerSetup& setup, const ShortcutRow& row) {
    return (!setup.desktop && text::equalsIgnoreCase(row.folder, setup.desktopDir)) ||
           (!setup.startMenu && containsIgnoringCase(row.folder, setup.programsDir));
}

// The size of a file, or nothing when it cannot be opened.
std::optional<std::uint64_t> sizeOf(FileSystem& files, const std::string& path) {
    if (!files.fileExists(path))
        return std::nullopt;
    auto file = files.open(path, OpenMode::Read);
    return file ? std::optional(file->size()) : std::nullopt;
}

void makeShortcuts(Platform& platform, const InstallerSetup& setup, PlacementRecord& record,
                   InstallProblems& problems, const ProgressView& view) {
    FileSystem& files = platform.files;
    for (const ShortcutRow& row : setup.shortcuts) {
        if (skipped(setup, row))
            continue;
        const std::string link = LinkFile(row);
        auto size = sizeOf(files, row.target);
        if (!size || *size == 0) {
            // A program delivered empty must not be started from a link.
            files.deleteFile(link);
            files.deleteFile(row.target);
            // Without its uninstaller the installation could not be removed.
            if (text::equalsIgnoreCase(row.target, UninstallerPath(setup.systemDir)))
                problems.shortcutFailures += ProblemListItem(row.folder + "\\" + row.name);
        } else if (files.directoryExists(row.folder) &&
                   platform.shell.createShortcut(
                       link, {row.target, row.arguments, row.workingDirectory, "", 0})) {
            record.uninstallList.push_back(link);
            record.createdLinks.push_back(link);
        } else {
            problems.shortcutFailures += ProblemListItem(row.folder + "\\" + row.name);
        }
        view.advance(ShortcutStep);
        platform.dialogs.processMessages();
    }
}

// The entry in the system's list of installed programs, which starts the
// uninstaller with the record just written.
void registerInstallation(Registry& registry, const InstallerSetup& setup,
                          const std::string& recordPath, PlacementRecord& record) {
    const UninstallEntry entry{"Quazzle 4",
                               InstallerVersion,
                               "Quazzle Project Team",
                               setup.installDir,
                               UninstallerPath(setup.systemDir),
                               recordPath};
    if (auto root = WriteUninstallEntry(registry, entry))
        record.uninstallEntry =
            (*root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + UninstallKey();
    else
        record.notCreated += ProblemListItem(UninstallKey());
}

} // namespace

std::string FinalMessageText(const InstallProblems& problems, bool groupSentence,
                             bool setupWillRun) {
    const std::vector<FormatArg> names{ProductNounGenitive(), std::string(ProductName),
                                       groupName()};
    const std::string group =
        groupSentence ? Format(Pick("Ярлыки %s %s помещены в группу \"%s\" раздела "
                                    "\"Программы\" меню \"Пуск\".",
                                    "Shortcuts of the %1:s %0:s are placed in the \"%2:s\" "
                                    "program group of the Start Menu."),
                               names)
                      : std::string();
    if (!problems.any()) {
        std::string text = Format(
            Pick("Установка %s %s успешно завершена.", "The %1:s %0:s is installed successfully."),
            names);
        if (groupSentence)
            text += "\r\n" + group;
        if (setupWillRun)
            text += Pick("\r\nДля завершения настройки задачника Quazzle будет запущена "
                         "программа QZ4Setup.",
                         "\r\nTo complete the Quazzle setup, the QZ4Setup program will be "
                         "launched.");
        return text;
    }
    std::string text =
        Format(Pick("Установка %s %s завершена.", "The %1:s %0:s is installed."), names) + "\r\n";
    const std::string notUpdated =
        problemText(problems.notUpdated, "Не удалось обновить следующие файлы: \r\n%s.",
                    "Could not update the following files: \r\n%s.");
    const std::string notCreated =
        problemText(problems.notCreated, "Не удалось создать следующие файлы: \r\n%s.",
                    "Could not create the following files: \r\n%s.");
    if (!problems.groupFailure.empty()) {
        text += notUpdated + notCreated + problems.groupFailure;
    } else {
        if (groupSentence)
            text += group + "\r\n";
        text +=
            notUpdated + notCreated +
            problemText(problems.shortcutFailures, "Не удалось создать следующие ярлыки: \r\n%s.",
                        "Could not create the following shortcuts: \r\n%s.");
    }
    return text + Format(Pick("Из-за указанных проблем %s %s может работать не вполне "
                              "корректно.\r\nРекомендуется перезагрузить компьютер и повторно "
                              "выполнить установку %s %s.",
                              "These problems may lead to an unproper work of %1:s.\r\nWe "
                              "recommend to you to reload your computer and repeat the "
                              "installation of the %3:s %2:s."),
                         {ProductNounNominative(), std::string(ProductName), ProductNounGenitive(),
                          std::string(ProductName)});
}

bool RunFinishingSteps(Platform& platform, const InstallerSetup& setup, PlacementRecord& record,
                       const ProgressView& view) {
    FileSystem& files = platform.files;
    PlaceEntry(platform, setup, record, SetupProgram);
    view.showPhase(InstallerTitle() + Pick(": создание ярлыков...", ": creating shortcuts..."));

    InstallProblems problems;
    const std::string group = setup.programsDir + GroupFolder;
    if (setup.startMenu && !files.directoryExists(group)) {
        record.groupCreated = files.createDirectory(group);
        if (!record.groupCreated)
            problems.groupFailure = Format(Pick("Не удалось создать программную группу \"%s\".",
                                                "Could not create the \"%s\" program group."),
                                           {groupName()}) +
                                    "\r\n";
    }
    makeShortcuts(platform, setup, record, problems, view);
    const std::string recordPath = setup.installDir + "\\UNINST\\" + LogName;
    const InstallationBounds bounds(setup.installDir,
                                    InstallationLinkFiles(setup.installDir, platform.system));
    RecordWrite written = WriteUninstallRecord(files, recordPath, record.uninstallList, bounds,
                                               platform.system.ansiText());
    record.droppedRecordLines = written.dropped;
    if (!written.written)
        record.notCreated += ProblemListItem(recordPath);
    else
        registerInstallation(platform.registry, setup, recordPath, record);
    // The files replaced are kept until here, for a rollback of a failure
    // up to this point.
    DeleteFolderTree(files, setup.tempDir);

    view.showPhase(InstallerTitle());
    platform.dialogs.processMessages();
    problems.notUpdated = record.notUpdated;
    problems.notCreated = record.notCreated;
    const bool setupWillRun = setup.runSetup && files.fileExists(setup.setupLaunchPath);
    const bool groupSentence = !setup.shortcuts.empty() && setup.startMenu;
    if (problems.any() || setup.finalMessage)
        platform.dialogs.showMessage({MessageKind::Information,
                                      FinalMessageText(problems, groupSentence, setupWillRun),
                                      "",
                                      {DialogButton::Ok}});
    if (!problems.any() && setupWillRun)
        platform.shell.startProgram(setup.setupLaunchPath, setup.setupParameters,
                                    setup.setupLaunchDir);
    return !problems.any();
}

} // namespace qz
