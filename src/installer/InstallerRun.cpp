#include "installer/InstallerRun.h"

#include "installer/InstallerCommandLine.h"
#include "installer/TInstF1.h"
#include "installer/UnattendedDialogs.h"
#include "locale/ErrorName.h"
#include "locale/Format.h"
#include "locale/Language.h"

namespace qz {
namespace {

const char* outcomeName(InstallOutcome outcome) {
    switch (outcome) {
    case InstallOutcome::Installed:
        return "installed";
    case InstallOutcome::NotInstalled:
        return "not installed, nothing changed";
    case InstallOutcome::RolledBack:
        return "failed, rolled back";
    case InstallOutcome::InstalledWithProblems:
        return "installed with problems";
    case InstallOutcome::UnexpectedError:
        return "unexpected error";
    case InstallOutcome::CommandLineError:
        return "command-line error, nothing done";
    }
    return "";
}

const char* modeName(InstallMode mode) {
    switch (mode) {
    case InstallMode::Silent:
        return "silent";
    case InstallMode::VerySilent:
        return "very silent";
    default:
        return "wizard";
    }
}

void logStart(InstallLog& log, const Platform& platform, const InstallerOptions& o) {
    log.writeStart(std::string("QZ4 installer ") + InstallerVersion, platform.system);
    log.write(std::string("mode: ") + modeName(o.mode));
    if (o.installDir)
        log.write("folder: " + *o.installDir);
    if (!o.language.empty())
        log.write("language: " + o.language);
    if (o.noLaunch)
        log.write("the configuration tool is not started");
    if (o.allUsers)
        log.write("links for all users");
}

int finish(InstallLog& log, InstallOutcome outcome) {
    const int status = static_cast<int>(outcome);
    log.writeOutcome(status, outcomeName(outcome));
    log.close();
    return status;
}

InstallOutcome runWizardOrUnattended(Platform& platform, const InstallerOptions& options,
                                     InstallLog& log) {
    if (!options.unattended()) {
        TInstF1 wizard(platform, options, log);
        wizard.showModal();
        return wizard.outcome();
    }
    // Everything below sees the stand-in for the person, so no box waits.
    UnattendedDialogs quiet(platform.dialogs, log, options.mode);
    Platform unattended{platform.files, platform.registry,  platform.system,
                        quiet,          platform.resources, platform.shell};
    TInstF1 wizard(unattended, options, log);
    wizard.installUnattended();
    return wizard.outcome();
}

} // namespace

int RunInstaller(Platform& platform) {
    const ParsedInstallerCommandLine parsed =
        ParseInstallerCommandLine(platform.system.commandLine());
    const InstallerOptions& options = parsed.options;
    std::string error = parsed.error;
    InstallLog log;
    if (!options.logFile.empty() && !log.open(platform.files, options.logFile) && error.empty())
        error = Format(Pick("Невозможно записать файл протокола \"%s\".",
                            "The log file \"%s\" cannot be written."),
                       {options.logFile});
    logStart(log, platform, options);
    if (!error.empty()) {
        log.write("error: " + error);
        if (!options.unattended())
            ShowErrorBox(platform.dialogs, error);
        return finish(log, InstallOutcome::CommandLineError);
    }
    try {
        return finish(log, runWizardOrUnattended(platform, options, log));
    } catch (...) {
        log.write("error: " + DescribeError(std::current_exception()));
        const int status = finish(log, InstallOutcome::UnexpectedError);
        if (!options.unattended())
            throw; // shown by the program's last line of defence
        return status;
    }
}

} // namespace qz
