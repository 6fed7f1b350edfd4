#include "app/WindowlessConfiguration.h"

#include "app/Program.h"
#include "app/ToolWindows.h"
#include "installer/InstallLog.h"
#include "installer/UnattendedDialogs.h"
#include "locale/ErrorName.h"
#include "text/Text.h"

namespace qz {
namespace {

constexpr int LogNotWritableStatus = 5; // as the installer's command-line error

bool isSwitch(const std::string& parameter, const std::string& upperName) {
    return parameter.size() > 1 && (parameter[0] == '-' || parameter[0] == '/') &&
           text::upperAscii(parameter.substr(1)) == upperName;
}

const char* outcomeName(ConfigureOutcome outcome) {
    switch (outcome) {
    case ConfigureOutcome::Configured:
        return "configured";
    case ConfigureOutcome::StartupRefused:
        return "the start-up stopped, nothing written";
    case ConfigureOutcome::SettingsNotWritten:
        return "the settings could not be written";
    }
    return "";
}

ConfigureOutcome configure(Platform& platform, Ftp& ftp, InstallLog& log) {
    UnattendedDialogs quiet(platform.dialogs, log, InstallMode::VerySilent);
    Platform windowless{platform.files, platform.registry,  platform.system,
                        quiet,          platform.resources, platform.shell};
    ToolWindows windows(quiet, platform.files);
    TForm1 main(windowless, windows.dialogs(), ftp);
    const ConfigureOutcome outcome = main.configureWithoutWindow();
    for (const std::string& folder : main.settings().workDirectories)
        log.write("working directory: " + folder);
    if (outcome == ConfigureOutcome::Configured)
        log.write("settings: " + main.programDirectory() + "QZ.INI");
    return outcome;
}

} // namespace

std::optional<WindowlessRequest> ReadWindowlessRequest(const std::vector<std::string>& parameters) {
    std::optional<WindowlessRequest> request;
    std::string logFile;
    for (const std::string& parameter : parameters) {
        if (isSwitch(parameter, "AUTO"))
            request.emplace();
        else if (parameter.size() > 5 && isSwitch(parameter.substr(0, 5), "LOG="))
            logFile = text::trim(parameter.substr(5));
    }
    if (request)
        request->logFile = logFile;
    return request;
}

int ConfigureWithoutWindow(Platform& platform, Ftp& ftp, const WindowlessRequest& request) {
    InstallLog log;
    if (!request.logFile.empty() && !log.open(platform.files, request.logFile))
        return LogNotWritableStatus; // no window may be shown, and no log holds the reason
    log.writeStart("QZ4Setup", platform.system);
    int status;
    try {
        const ConfigureOutcome outcome = configure(platform, ftp, log);
        status = static_cast<int>(outcome);
        log.writeOutcome(status, outcomeName(outcome));
    } catch (...) {
        log.write("error: " + DescribeError(std::current_exception()));
        status = UnexpectedErrorStatus;
        log.writeOutcome(status, "unexpected error");
    }
    log.close();
    return status;
}

} // namespace qz
