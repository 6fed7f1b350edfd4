#include "installer/InstallerCommandLine.h"

#include "locale/Format.h"
#include "locale/Language.h"
#include "text/Text.h"

#include <algorithm>

namespace qz {
namespace {

enum class Switch { Silent, VerySilent, Dir, Lang, Log, NoLaunch, AllUsers };

struct SwitchName {
    const char* name;
    Switch which;
    bool takesValue;
};

constexpr SwitchName Switches[] = {
    {"SILENT", Switch::Silent, false},
    {"VERYSILENT", Switch::VerySilent, false},
    {"DIR", Switch::Dir, true},
    {"LANG", Switch::Lang, true},
    {"LOG", Switch::Log, true},
    {"NOLAUNCH", Switch::NoLaunch, false},
    {"ALLUSERS", Switch::AllUsers, false},
};

const SwitchName* findSwitch(const std::string& upperName) {
    for (const SwitchName& s : Switches)
        if (upperName == s.name)
            return &s;
    return nullptr;
}

// The language parameter "-lru" / "-len" that the start-up reads.
bool isLanguageParameter(const std::string& argument) {
    const std::string lower = text::lowerAscii(argument);
    return lower == "-lru" || lower == "-len";
}

std::string unknownSwitch(const std::string& argument) {
    return Format(Pick("Неизвестный параметр командной строки: \"%s\".\r\nДопустимые параметры: "
                       "/SILENT, /VERYSILENT, /DIR=\"каталог\", /LANG=ru|en, /LOG=\"файл\", "
                       "/NOLAUNCH, /ALLUSERS.",
                       "Unknown command-line parameter: \"%s\".\r\nThe parameters are /SILENT, "
                       "/VERYSILENT, /DIR=\"folder\", /LANG=ru|en, /LOG=\"file\", /NOLAUNCH, "
                       "/ALLUSERS."),
                  {argument});
}

} // namespace

ParsedInstallerCommandLine ParseInstallerCommandLine(const std::vector<std::string>& arguments) {
    ParsedInstallerCommandLine parsed;
    InstallerOptions& o = parsed.options;
    std::vector<Switch> seen;
    auto fail = [&](std::string error) {
        if (parsed.error.empty())
            parsed.error = std::move(error);
    };
    for (const std::string& argument : arguments) {
        if (isLanguageParameter(argument))
            continue;
        if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) {
            fail(unknownSwitch(argument));
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = text::upperAscii(argument.substr(1, equals - 1));
        const SwitchName* known = findSwitch(name);
        if (!known) {
            fail(unknownSwitch(argument));
            continue;
        }
        const bool hasValue = equals != std::string::npos;
        const std::string value = hasValue ? argument.substr(equals + 1) : std::string();
        if (std::find(seen.begin(), seen.end(), known->which) != seen.end()) {
            fail(Format(Pick("Параметр /%s задан дважды.", "The /%s parameter is given twice."),
                        {name}));
            continue;
        }
        seen.push_back(known->which);
        if (known->takesValue && text::trim(value).empty()) {
            fail(Format(Pick("Для параметра /%s не задано значение: /%s=\"...\".",
                             "The /%s parameter needs a value: /%s=\"...\"."),
                        {name, name}));
            continue;
        }
        if (!known->takesValue && hasValue) {
            fail(
                Format(Pick("Параметр /%s не имеет значения.", "The /%s parameter takes no value."),
                       {name}));
            continue;
        }
        switch (known->which) {
        case Switch::Silent:
        case Switch::VerySilent:
            // The quieter mode holds even with the error, so that no box waits.
            if (o.mode != InstallMode::Wizard)
                fail(Pick("Параметры /SILENT и /VERYSILENT несовместимы.",
                          "The /SILENT and /VERYSILENT parameters exclude each other."));
            if (o.mode != InstallMode::VerySilent)
                o.mode =
                    known->which == Switch::Silent ? InstallMode::Silent : InstallMode::VerySilent;
            break;
        case Switch::Dir:
            o.installDir = text::trim(value);
            break;
        case Switch::Lang:
            o.language = text::lowerAscii(text::trim(value));
            if (o.language != "ru" && o.language != "en") {
                fail(Format(Pick("Недопустимый язык \"%s\": укажите /LANG=ru или /LANG=en.",
                                 "Unknown language \"%s\": use /LANG=ru or /LANG=en."),
                            {value}));
                o.language.clear();
            }
            break;
        case Switch::Log:
            o.logFile = text::trim(value);
            break;
        case Switch::NoLaunch:
            o.noLaunch = true;
            break;
        case Switch::AllUsers:
            o.allUsers = true;
            break;
        }
    }
    return parsed;
}

void ApplyInstallerOptions(InstallerSetup& setup, const InstallerOptions& options) {
    if (options.installDir)
        setup.proposedInstallDir = *options.installDir;
    if (options.noLaunch)
        setup.runSetup = false;
    if (options.unattended()) {
        // Nobody is there to press Install or to read the final message:
        // the outcome goes to the log and the exit status.
        setup.autoRun = false;
        setup.finalMessage = false;
    }
}

} // namespace qz
