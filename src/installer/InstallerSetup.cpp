#include "installer/InstallerSetup.h"

#include "locale/Format.h"
#include "locale/Language.h"
#include "settings/IniFile.h"
#include "text/Text.h"

namespace qz {
namespace {

// The name part of a Windows path.
std::string fileNamePart(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path with the extension of its name part replaced (or added).
std::string changeExtension(const std::string& path, const std::string& extension) {
    std::size_t name = path.size() - fileNamePart(path).size();
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < name)
        return path + extension;
    return path.substr(0, dot) + extension;
}

std::string withoutTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

// Every occurrence of the placeholder, in any letter case (placeholders
// are ASCII, so byte positions of the upper-cased text are the same).
std::string replaceAll(const std::string& text, const std::string& placeholder,
                       const std::string& value) {
    std::string result;
    std::string upper = text::upperAscii(text);
    std::size_t from = 0;
    for (std::size_t at; (at = upper.find(placeholder, from)) != std::string::npos;
         from = at + placeholder.size())
        result += text.substr(from, at - from) + value;
    return result + text.substr(from);
}

constexpr int MaxExcludedDirs = 20;

} // namespace

std::string ProductNounNominative() {
    return Pick("задачник", "system");
}

std::string ProductNounGenitive() {
    return Pick("задачника", "system");
}

std::string InstallerTitle() {
    return Format(Pick("Установка %s", "QZ4 Install"), {std::string(ProductName)});
}

std::string InstallerSetup::volumeName(int volume) const {
    return volume == 1 ? dataFileName : dataFileName + std::to_string(volume);
}

std::string InstallerSetup::volumePath(int volume) const {
    return startDir + "\\" + volumeName(volume);
}

std::string FindProgramFilesDir(const Registry& registry, const FileSystem& files) {
    const std::string key = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    if (registry.keyExists(RegistryRoot::LocalMachine, key))
        if (auto value = registry.readString(RegistryRoot::LocalMachine, key, "ProgramFilesDir");
            value && !value->empty())
            return *value;
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        for (const char* folder : {":\\Program Files (x86)", ":\\Program Files"})
            if (files.directoryExists(letter + std::string(folder) + "\\"))
                return letter + std::string(folder);
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if (files.directoryExists(letter + std::string(":\\")))
            return letter + std::string(":");
    return {};
}

std::string ReplacePlaceholders(const std::string& text, const std::string& installDir,
                                const std::string& startDir) {
    std::string start = startDir.size() == 2 ? startDir + "\\" : startDir;
    return replaceAll(replaceAll(text, "%INSTALLDIR%", installDir), "%STARTDIR%", start);
}

void ResolvePlaceholders(InstallerSetup& s) {
    auto resolve = [&](std::string& text) {
        text = ReplacePlaceholders(text, s.installDir, s.startDir);
    };
    resolve(s.setupLaunchPath);
    resolve(s.setupLaunchDir);
    resolve(s.setupParameters);
    s.setupParameters = text::trim(s.setupParameters);
    for (ShortcutRow& row : s.shortcuts) {
        resolve(row.target);
        resolve(row.arguments);
        resolve(row.workingDirectory);
        resolve(row.folder);
    }
}

InstallerSetup ReadInstallerSetup(Platform& platform) {
    InstallerSetup s;
    const std::string program = platform.system.programPath();
    s.startDir =
        withoutTrailingBackslash(program.substr(0, program.size() - fileNamePart(program).size()));
    s.programFilesDir = FindProgramFilesDir(platform.registry, platform.files);

    IniFile ini(platform.files, changeExtension(program, ".ini"), platform.system.ansiText());
    s.proposedInstallDir = ini.readString("Main", "InstallDir", "");
    // Only the first occurrence of the Program Files placeholder is replaced.
    const std::string placeholder = "%PROGRAMFILESDIR%";
    std::size_t at = text::upperAscii(s.proposedInstallDir).find(placeholder);
    if (at != std::string::npos)
        s.proposedInstallDir.replace(at, placeholder.size(), s.programFilesDir);
    s.autoRun = ini.readBool("Main", "AutoRun", false);
    s.finalMessage = ini.readBool("Main", "FinalMessage", true);
    s.startMenu = ini.readBool("Links", "StartMenu", true);
    s.desktop = ini.readBool("Links", "Desktop", true);
    s.runSetup = ini.readBool("Setup", "Run", true);
    for (int key = 1; key <= MaxExcludedDirs; ++key) {
        std::string value = ini.readString("ExcludeDir", std::to_string(key), "");
        if (value.empty())
            break;
        s.excludeDirValues.push_back(value);
    }

    s.systemDir = platform.system.systemDirectory();
    s.windowsDir = platform.system.windowsDirectory();
    s.programsDir = platform.system.specialFolder(SpecialFolder::Programs);
    s.desktopDir = platform.system.specialFolder(SpecialFolder::Desktop);
    s.dataFileName = changeExtension(fileNamePart(program), ".dat");
    s.shortcuts = ShortcutTable(s.programsDir, s.desktopDir, s.systemDir);
    return s;
}

} // namespace qz
