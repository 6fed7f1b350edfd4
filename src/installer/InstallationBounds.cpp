#include "installer/InstallationBounds.h"

#include "installer/ShortcutTable.h"
#include "platform/PathRoot.h"
#include "text/Text.h"

#include <algorithm>

namespace qz {
namespace {

constexpr std::string_view TreeSuffix = "\\a";
constexpr std::string_view InstallDirPlaceholder = "%InstallDir%";

bool plainName(std::string_view name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ')
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 ||
               std::string_view("/:*?\"<>|").find(c) != std::string_view::npos;
    });
}

std::string parentOf(const std::string& path) {
    std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

bool IsPlainFullPath(std::string_view path) {
    std::size_t root = PathRootLength(path);
    std::string_view rest;
    if (root == 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[2] == '\\') {
        rest = path.substr(3);
    } else if (path.starts_with("\\\\") && root > 2) {
        // Server and share are names like any other: "\\?\" and "\\.\" are not.
        rest = path.substr(2);
    } else {
        return false;
    }
    while (true) {
        std::size_t slash = rest.find('\\');
        if (!plainName(rest.substr(0, slash)))
            return false;
        if (slash == std::string_view::npos)
            return true;
        rest.remove_prefix(slash + 1);
    }
}

std::string InstallationFolderOfRecord(const std::string& recordPath) {
    return parentOf(parentOf(recordPath));
}

std::vector<std::string> InstallationLinkFiles(const std::string& installDir,
                                               const std::string& programsDir,
                                               const std::string& desktopDir,
                                               const std::string& systemDir) {
    std::vector<std::string> links;
    for (ShortcutRow row : ShortcutTable(programsDir, desktopDir, systemDir)) {
        if (row.folder.starts_with(InstallDirPlaceholder))
            row.folder = installDir + row.folder.substr(InstallDirPlaceholder.size());
        links.push_back(LinkFile(row));
    }
    return links;
}

std::vector<std::string> InstallationLinkFiles(const std::string& installDir,
                                               const SystemInfo& system) {
    std::vector<std::string> links = InstallationLinkFiles(
        installDir, system.specialFolder(SpecialFolder::Programs),
        system.specialFolder(SpecialFolder::Desktop), system.systemDirectory());
    const std::string commonPrograms = system.specialFolder(SpecialFolder::CommonPrograms);
    const std::string commonDesktop = system.specialFolder(SpecialFolder::CommonDesktop);
    if (!commonPrograms.empty() && !commonDesktop.empty())
        for (std::string& link : InstallationLinkFiles(installDir, commonPrograms, commonDesktop,
                                                       system.systemDirectory()))
            links.push_back(std::move(link));
    return links;
}

InstallationBounds::InstallationBounds(std::string installDir, std::vector<std::string> linkFiles)
    : installDir_(std::move(installDir)), linkFiles_(std::move(linkFiles)),
      usable_(IsPlainFullPath(installDir_) && PathRootLength(installDir_) < installDir_.size()) {}

bool InstallationBounds::inside(const std::string& path) const {
    return usable_ && path.size() > installDir_.size() + 1 && path[installDir_.size()] == '\\' &&
           text::equalsIgnoreCase(std::string_view(path).substr(0, installDir_.size()),
                                  installDir_) &&
           IsPlainFullPath(path);
}

RecordLineKind InstallationBounds::classify(const std::string& line) const {
    if (line.size() > TreeSuffix.size() && line.ends_with(TreeSuffix))
        return inside(line.substr(0, line.size() - TreeSuffix.size())) ? RecordLineKind::Tree
                                                                       : RecordLineKind::Foreign;
    if (inside(line))
        return RecordLineKind::File;
    const bool isLink =
        IsPlainFullPath(line) &&
        std::any_of(linkFiles_.begin(), linkFiles_.end(),
                    [&](const std::string& link) { return text::equalsIgnoreCase(line, link); });
    return isLink ? RecordLineKind::File : RecordLineKind::Foreign;
}

bool ReachedThroughLink(const FileSystem& files, const std::string& installDir,
                        const std::string& path) {
    // Only what lies below the installation folder is walked; a link from
    // the shortcut table sits in a system folder whose own links are the
    // system's.
    if (path.size() <= installDir.size() ||
        !text::equalsIgnoreCase(std::string_view(path).substr(0, installDir.size()), installDir))
        return false;
    for (std::size_t slash = path.find('\\', installDir.size() + 1); slash != std::string::npos;
         slash = path.find('\\', slash + 1)) {
        auto attributes = files.attributes(path.substr(0, slash));
        if (attributes && (*attributes & AttrReparsePoint))
            return true;
    }
    return false;
}

} // namespace qz
