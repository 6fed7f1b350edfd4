#include "Uninstaller.h"

#include "UninstallRecord.h"
#include "installer/FolderTree.h"
#include "installer/InstallationBounds.h"
#include "installer/UninstallEntry.h"
#include "settings/TextFile.h"
#include "text/Text.h"

#include <algorithm>
#include <set>

namespace qz::demo {

namespace {

std::string FolderOf(const std::string& path) {
    std::size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// True when `path` is `folder` or lies below it, without regard to case.
bool Within(const std::string& path, const std::string& folder) {
    if (folder.empty() || path.size() < folder.size())
        return false;
    if (!text::equalsIgnoreCase(std::string_view(path).substr(0, folder.size()), folder))
        return false;
    return path.size() == folder.size() || path[folder.size()] == '\\';
}

std::size_t Depth(const std::string& path) {
    return static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
}

std::optional<std::string> ReadAll(FileSystem& files, const std::string& path) {
    auto file = files.open(path, OpenMode::Read);
    if (!file || file->size() > MaxUninstallRecordBytes)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(file->size()), '\0');
    if (file->read(bytes.data(), bytes.size()) != bytes.size())
        return std::nullopt;
    return bytes;
}

} // namespace

Uninstaller::Uninstaller(FileSystem& files, Dialogs& dialogs, const SystemInfo& system,
                         Registry& registry)
    : files_(files), dialogs_(dialogs), system_(system), registry_(registry) {}

int Uninstaller::run(const std::vector<std::string>& parameters) {
    std::size_t next = 0;
    quiet_ = !parameters.empty() && (text::equalsIgnoreCase(parameters.front(), "/S") ||
                                     text::equalsIgnoreCase(parameters.front(), "-S"));
    if (quiet_)
        ++next;
    std::string recordPath =
        parameters.size() > next ? text::trim(parameters[next]) : std::string();
    std::optional<std::string> bytes;
    if (!recordPath.empty())
        bytes = ReadAll(files_, recordPath);
    if (!bytes) {
        report({}, MessageKind::Error,
               "The uninstall record \"" + recordPath + "\" cannot be read.");
        return 1;
    }
    std::optional<UninstallRecord> record =
        ParseUninstallRecord(DecodeTextFile(*bytes, system_.ansiText()).text);
    if (!record) {
        report({}, MessageKind::Error, "\"" + recordPath + "\" is not an uninstall record.");
        return 1;
    }

    MessageRequest question{
        MessageKind::Plain, record->question, record->title, {DialogButton::Yes, DialogButton::No}};
    if (!quiet_ && dialogs_.showMessage(question) != DialogButton::Yes)
        return 0;

    notRemoved_.clear();
    const std::string installFolder = InstallationFolderOfRecord(recordPath);
    const InstallationBounds bounds(installFolder, InstallationLinkFiles(installFolder, system_));
    // What is not the installation's, or is reached through a link, stays
    // and is named in the report.
    auto owned = [&](const std::string& path, const std::string& line, RecordLineKind kind) {
        if (bounds.classify(line) == kind && !ReachedThroughLink(files_, installFolder, path))
            return true;
        notRemoved_.push_back(line);
        return false;
    };
    for (const std::string& folder : record->folders)
        if (owned(folder, folder + "\\a", RecordLineKind::Tree))
            removeTree(folder);
    std::vector<std::string> removed;
    for (const std::string& file : record->files) {
        if (owned(file, file, RecordLineKind::File)) {
            removeFile(file);
            removed.push_back(file);
        }
    }
    removeFile(recordPath);

    removed.push_back(recordPath);
    removeEmptiedFolders(removed, installFolder);
    if (!RemoveUninstallEntry(registry_, recordPath))
        notRemoved_.push_back(UninstallKey());

    if (notRemoved_.empty()) {
        report(record->title, MessageKind::Plain, record->completedText);
    } else {
        std::string list = record->notRemovedText;
        for (const std::string& path : notRemoved_)
            list += "\r\n" + path;
        report(record->title, MessageKind::Plain, list);
    }
    return quiet_ && !notRemoved_.empty() ? 2 : 0;
}

void Uninstaller::removeFile(const std::string& path) {
    // A folder in a file's place stays; a link goes as a link.
    if (!DeleteEntry(files_, path))
        notRemoved_.push_back(path);
}

void Uninstaller::removeTree(const std::string& folder) {
    for (std::string& path : DeleteFolderTree(files_, folder))
        notRemoved_.push_back(std::move(path));
}

void Uninstaller::removeEmptiedFolders(const std::vector<std::string>& removed,
                                       const std::string& installFolder) {
    std::set<std::string> candidates;
    for (const std::string& file : removed) {
        std::string folder = FolderOf(file);
        if (Within(folder, installFolder)) {
            for (; Within(folder, installFolder); folder = FolderOf(folder))
                candidates.insert(folder);
        } else if (!folder.empty() && !isProtectedFolder(folder)) {
            candidates.insert(folder);
        }
    }
    // Deepest first, so a folder is empty by the time its turn comes; a
    // folder that still holds something simply stays.
    std::vector<std::string> order(candidates.begin(), candidates.end());
    std::stable_sort(order.begin(), order.end(), [](const std::string& a, const std::string& b) {
        return Depth(a) > Depth(b);
    });
    for (const std::string& folder : order)
        if (files_.directoryExists(folder))
            files_.removeDirectory(folder);
}

bool Uninstaller::isProtectedFolder(const std::string& folder) const {
    const std::string shellFolders[] = {
        system_.specialFolder(SpecialFolder::Desktop),
        system_.specialFolder(SpecialFolder::Programs),
        system_.specialFolder(SpecialFolder::AppData),
        system_.specialFolder(SpecialFolder::CommonPrograms),
        system_.specialFolder(SpecialFolder::CommonDesktop),
        system_.systemDirectory(),
        system_.windowsDirectory(),
    };
    for (const std::string& shellFolder : shellFolders)
        if (!shellFolder.empty() && text::equalsIgnoreCase(folder, shellFolder))
            return true;
    return folder.size() <= 3; // a drive's root
}

void Uninstaller::report(const std::string& caption, MessageKind kind, const std::string& text) {
    if (quiet_)
        return; // the exit status tells
    dialogs_.showMessage({kind, text, caption, {DialogButton::Ok}});
}

} // namespace qz::demo
