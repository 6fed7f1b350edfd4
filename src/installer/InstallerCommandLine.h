// The installer's command line, for installations from a script or a
// deployment tool: switches start with "/" or "-", in any order and letter
// case, and a value follows "=" (quotes group it). Anything the installer
// does not know is an error, never ignored, since a mistyped switch would
// otherwise install something other than what the script meant.
#pragma once

#include "installer/InstallerSetup.h"

#include <optional>
#include <string>
#include <vector>

namespace qz {

enum class InstallMode {
    Wizard,     // the windows, a person answers
    Silent,     // the progress window only, no questions
    VerySilent, // no window at all
};

struct InstallerOptions {
    InstallMode mode = InstallMode::Wizard;
    std::optional<std::string> installDir; // /DIR
    std::string language;                  // /LANG: "ru", "en" or empty
    std::string logFile;                   // /LOG
    bool noLaunch = false;                 // /NOLAUNCH
    bool allUsers = false;                 // /ALLUSERS
    bool unattended() const { return mode != InstallMode::Wizard; }
};

struct ParsedInstallerCommandLine {
    // What was recognised, also when an error follows: a script that asked
    // for silence gets no message box for its mistake either.
    InstallerOptions options;
    std::string error; // in the active language; empty when all is well
};

// Parses the parameters (without the program name). "-l<code>" is the
// language parameter both roles take at start-up and is let through.
ParsedInstallerCommandLine ParseInstallerCommandLine(const std::vector<std::string>& arguments);

// The options as the setup's settings: the command line wins over the ini
// file beside the installer.
void ApplyInstallerOptions(InstallerSetup& setup, const InstallerOptions& options);

} // namespace qz
