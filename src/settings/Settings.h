// The configuration tool's settings file QZ.INI in the program directory:
// the command-line settings directory, reading at start, writing at close,
// and the copies kept in step with it. The per-environment sections are read
// and written by the environment catalogue through EnvironmentSections.
#pragma once

#include "platform/Platform.h"
#include "settings/EnvironmentSections.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace qz {

constexpr const char* DefaultWorkDirectory = "C:\\QZ4Work";
constexpr const char* DefaultOutputDirectory = "C:\\QZ4Work\\Output";

// What the command line says about settings: "-FAST" and a settings directory.
struct SettingsCommandLine {
    bool fast = false;
    std::string settingsDirectory; // empty when none was named
};

SettingsCommandLine ReadSettingsCommandLine(const std::vector<std::string>& parameters,
                                            const FileSystem& files);

// Everything in the settings file except the per-environment sections.
struct Settings {
    std::vector<std::string> workDirectories;
    int selectedWorkDirectory = -1; // index into workDirectories, -1 for none
    std::string label;              // the student name last entered, at most 25 characters
    std::string defaultEnvir;       // environment key, or "0" when none is chosen
    bool useLocalDir = false;
    std::string localDirName = DefaultOutputDirectory;
    std::string font = "Consolas";
    std::string reposName;
    std::string reposLogin;
};

// Raised when the settings file exists but cannot be read.
class SettingsReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SettingsFile {
public:
    // programDirectory ends with a backslash.
    SettingsFile(Platform& platform, std::string programDirectory);

    const std::string& path() const { return path_; }

    // Copies the settings directory's qz.ini over QZ.INI, when there is one.
    void importSettingsDirectory(const std::string& settingsDirectory);

    // Reads at start, in the documented order; environments may be null when
    // no environment is installed. A file that cannot be read shows
    // MsgSettingsReadError and raises SettingsReadError.
    Settings read(EnvironmentSections* environments);

    // Writes the whole file at close (languageCode is the active language)
    // and then refreshes its copies. The new file is written beside QZ.INI and
    // replaces it in one step, so a failure leaves the previous file whole.
    // A failure to write QZ.INI or the settings directory's copy is shown
    // (MsgSettingsWriteError) and gives false; the shadow copies' are not.
    bool write(const Settings& settings, EnvironmentSections* environments,
               const std::string& languageCode, const std::string& settingsDirectory);

private:
    void readWorkDirectories(const IniFile& ini, Settings& settings);
    void readOutputDirectory(const IniFile& ini, Settings& settings);
    bool refreshCopies(const std::string& settingsDirectory);
    void reportWriteError(const std::string& path);

    Platform& platform_;
    std::string programDirectory_;
    std::string path_;
};

} // namespace qz
