#include "settings/Settings.h"

#include "locale/Catalogue.h"
#include "locale/Format.h"
#include "text/Text.h"

namespace qz {
namespace {

constexpr const char* WorkSection = "Work Directory";
constexpr const char* OutputSection = "Output .NET Directory";

bool containsIgnoreCase(const std::vector<std::string>& list, const std::string& item) {
    for (const std::string& entry : list)
        if (text::equalsIgnoreCase(entry, item))
            return true;
    return false;
}

int indexIgnoreCase(const std::vector<std::string>& list, const std::string& item) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (text::equalsIgnoreCase(list[i], item))
            return static_cast<int>(i);
    return -1;
}

std::string joinPaths(const std::vector<std::string>& paths) {
    std::string out;
    for (std::size_t i = 0; i < paths.size(); ++i)
        out += (i ? "|" : "") + paths[i];
    return out;
}

} // namespace

SettingsCommandLine ReadSettingsCommandLine(const std::vector<std::string>& parameters,
                                            const FileSystem& files) {
    SettingsCommandLine result;
    for (const std::string& p : parameters) {
        if (text::upperAscii(p) == "-FAST") {
            result.fast = true;
        } else if (!p.empty() && files.directoryExists(p)) {
            result.settingsDirectory = p;
            if (result.settingsDirectory.back() == '\\')
                result.settingsDirectory.pop_back();
        }
    }
    return result;
}

SettingsFile::SettingsFile(Platform& platform, std::string programDirectory)
    : platform_(platform), programDirectory_(std::move(programDirectory)),
      path_(programDirectory_ + "QZ.INI") {}

void SettingsFile::importSettingsDirectory(const std::string& settingsDirectory) {
    if (settingsDirectory.empty())
        return;
    const std::string source = settingsDirectory + "\\qz.ini";
    if (platform_.files.fileExists(source))
        platform_.files.copyFile(source, path_, false);
}

Settings SettingsFile::read(EnvironmentSections* environments) {
    platform_.files.setCurrentDirectory(programDirectory_);
    IniFile ini(platform_.files, path_, platform_.system.ansiText());
    if (!ini.readable() && platform_.files.fileExists(path_)) {
        MessageRequest box{
            MessageKind::Plain, MsgSettingsReadError, MsgToolTitle, {DialogButton::Ok}};
        platform_.dialogs.showMessage(box);
        throw SettingsReadError("Cannot open " + path_);
    }
    Settings settings;
    if (environments)
        environments->readSections(ini);
    readWorkDirectories(ini, settings);
    readOutputDirectory(ini, settings);
    settings.label = text::leftChars(ini.readString(WorkSection, "Label", ""), 25);
    settings.defaultEnvir = ini.readString(WorkSection, "DefaultEnvir", "");
    settings.font = ini.readString("Font", "Main", "Consolas");
    if (text::lowerAscii(settings.font) != "consolas")
        settings.font = "Courier New";
    settings.reposName = ini.readString("Repos", "Name", "");
    settings.reposLogin = ini.readString("Repos", "Login", "");
    return settings;
}

void SettingsFile::readWorkDirectories(const IniFile& ini, Settings& settings) {
    FileSystem& files = platform_.files;
    auto& list = settings.workDirectories;

    // Paths: every piece that names an existing folder; the last piece also
    // needs more than three characters, so a bare drive root is not taken.
    const std::string paths = ini.readString(WorkSection, "Paths", "");
    std::size_t start = 0;
    for (;;) {
        std::size_t bar = paths.find('|', start);
        std::string piece = text::trim(paths.substr(start, bar - start));
        bool last = bar == std::string::npos;
        if (!piece.empty() && files.directoryExists(piece) && (!last || piece.size() > 3))
            list.push_back(piece);
        if (last)
            break;
        start = bar + 1;
    }

    std::string path = text::trim(ini.readString(WorkSection, "Path", ""));
    if (!files.directoryExists(DefaultWorkDirectory))
        files.createDirectories(DefaultWorkDirectory);
    if (!containsIgnoreCase(list, DefaultWorkDirectory) &&
        files.directoryExists(DefaultWorkDirectory)) {
        list.insert(list.begin(), DefaultWorkDirectory);
        settings.selectedWorkDirectory = 0;
    }

    int index = indexIgnoreCase(list, path);
    if (index >= 0) {
        settings.selectedWorkDirectory = index;
    } else if (!list.empty()) {
        settings.selectedWorkDirectory = 0;
    } else {
        if (!files.directoryExists(path) || path.size() < 4)
            path = DefaultWorkDirectory;
        if (!files.directoryExists(path))
            files.createDirectories(path);
        if (files.directoryExists(path)) {
            list.push_back(path);
            settings.selectedWorkDirectory = 0;
        }
    }
}

void SettingsFile::readOutputDirectory(const IniFile& ini, Settings& settings) {
    settings.useLocalDir = ini.readBool(OutputSection, "UseLocalDir", false);
    settings.localDirName = ini.readString(OutputSection, "LocalDirName", DefaultOutputDirectory);
    if (settings.localDirName.empty()) {
        settings.localDirName = DefaultOutputDirectory;
        settings.useLocalDir = false;
    }
    if (settings.useLocalDir && !platform_.files.directoryExists(settings.localDirName)) {
        platform_.files.createDirectories(settings.localDirName);
        if (!platform_.files.directoryExists(settings.localDirName)) {
            settings.localDirName.clear();
            settings.useLocalDir = false;
        }
    }
}

bool SettingsFile::write(const Settings& settings, EnvironmentSections* environments,
                         const std::string& languageCode, const std::string& settingsDirectory) {
    FileSystem& files = platform_.files;
    const std::string fresh = path_ + "1";
    files.setAttributes(fresh, AttrArchive);
    files.deleteFile(fresh);
    bool ok = true;
    {
        IniFile ini(files, fresh, platform_.system.ansiText());
        if (environments)
            environments->writeSections(ini);
        const bool hasSelection =
            settings.selectedWorkDirectory >= 0 &&
            settings.selectedWorkDirectory < static_cast<int>(settings.workDirectories.size());
        ok = ini.writeString(WorkSection, "Path",
                             hasSelection ? settings.workDirectories[settings.selectedWorkDirectory]
                                          : "") &&
             ini.writeString(WorkSection, "Label", settings.label) &&
             ini.writeString(WorkSection, "DefaultEnvir", settings.defaultEnvir) &&
             ini.writeString(WorkSection, "Paths", joinPaths(settings.workDirectories)) &&
             ini.writeBool(OutputSection, "UseLocalDir", settings.useLocalDir) &&
             ini.writeString(OutputSection, "LocalDirName", settings.localDirName) &&
             ini.writeString("LocaleInfo", "Locale", languageCode) &&
             ini.writeString("Font", "Main", settings.font) &&
             ini.writeString("Repos", "Name", settings.reposName) &&
             ini.writeString("Repos", "Login", settings.reposLogin) && !ini.writeFailed();
    }
    // The finished file takes QZ.INI's place in one step; a half-written one
    // is dropped and the previous settings stay.
    if (ok)
        ok = files.moveFile(fresh, path_, true);
    if (!ok) {
        files.deleteFile(fresh);
        reportWriteError(path_);
        return false;
    }
    return refreshCopies(settingsDirectory);
}

void SettingsFile::reportWriteError(const std::string& path) {
    MessageRequest box{MessageKind::Error,
                       Format(MsgSettingsWriteError, {path}),
                       MsgToolTitle,
                       {DialogButton::Ok}};
    platform_.dialogs.showMessage(box);
}

bool SettingsFile::refreshCopies(const std::string& settingsDirectory) {
    FileSystem& files = platform_.files;
    // The next start with this directory imports its copy: a stale one would
    // bring the old settings back, so its failure is said as QZ.INI's is.
    if (!settingsDirectory.empty()) {
        const std::string copy = settingsDirectory + "\\qz.ini";
        if (!files.copyFile(path_, copy, false)) {
            reportWriteError(copy);
            return false;
        }
    }

    // Windows keeps per-user shadow copies of files that programs write into
    // protected folders; refresh those that exist, never create one.
    auto appData = platform_.system.environmentVariable("APPDATA");
    if (!appData)
        return true;
    std::string base = *appData;
    std::size_t roaming = text::upper(base).find("\\ROAMING");
    if (roaming != std::string::npos)
        base = base.substr(0, roaming);
    const std::string shadow = "\\Program Files (x86)\\QZ4\\QZ.INI";
    auto refresh = [&](const std::string& store) {
        if (files.directoryExists(store) && files.fileExists(store + shadow))
            files.copyFile(path_, store + shadow, false);
    };
    refresh(base + "\\Local\\VirtualStore");
    if (base.size() >= 7)
        refresh(base.substr(0, base.size() - 7) + "Local Settings\\VirtualStore");
    return true;
}

} // namespace qz
