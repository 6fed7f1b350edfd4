#include "locale/Language.h"

#include "locale/LanguageReset.h"
#include "settings/IniFile.h"
#include "text/Text.h"

namespace qz {
namespace {

// The one language state of the process (see Language.h).
struct LanguageState {
    std::string active;
    std::string systemCode;
    Dialogs* dialogs = nullptr;
};

LanguageState& state() {
    static LanguageState instance;
    return instance;
}

StandardTexts englishStandardTexts() {
    return StandardTexts{};
}

StandardTexts russianStandardTexts() {
    StandardTexts t;
    t.createDirectoryPrompt = "Указанный каталог не существует. Создать его?";
    t.selectDirectoryCaption = "Выбор каталога";
    t.directoryNameLabel = "Имя каталога:";
    t.drivesLabel = "Диски:";
    t.directoriesLabel = "Каталоги:";
    t.filesLabel = "Файлы: (*.*)";
    t.networkButton = "Сеть...";
    t.cancelButton = "Отмена";
    t.yesButton = "Да";
    t.noButton = "Нет";
    t.retryButton = "Повтор";
    t.ignoreButton = "Пропустить";
    t.warningCaption = "Предупреждение";
    t.errorCaption = "Ошибка";
    t.informationCaption = "Информация";
    t.confirmationCaption = "Подтверждение";
    return t;
}

void applyStandardTexts() {
    LanguageState& s = state();
    if (s.dialogs != nullptr && !s.active.empty())
        s.dialogs->setStandardTexts(s.active == "ru" ? russianStandardTexts()
                                                     : englishStandardTexts());
}

bool isLanguage(const std::string& code) {
    return code == "ru" || code == "en";
}

std::string systemCodeFor(const std::string& languageName) {
    if (languageName == "Russian")
        return "ru";
    if (languageName == "Chinese (Simplified)")
        return "ch";
    return "en";
}

// The code of the first "-l" parameter, or nothing when it names no language
// or there is none; parameters after the first "-l" are not looked at.
std::string languageFromSwitch(const std::vector<std::string>& parameters) {
    for (const std::string& parameter : parameters) {
        if (text::lowerAscii(parameter.substr(0, 2)) != "-l")
            continue;
        std::string code = text::lowerAscii(parameter.substr(2));
        return isLanguage(code) ? code : std::string();
    }
    return {};
}

// The Locale value of qz.ini in the current directory when it names a
// language; a file that is missing or cannot be read counts for nothing.
std::string languageFromCurrentDirectory(const SystemInfo& system, FileSystem& files) {
    std::string folder = files.currentDirectory();
    if (folder.empty())
        return {};
    if (folder.back() != '\\')
        folder += '\\';
    std::string path = folder + "qz.ini";
    if (!files.fileExists(path))
        return {};
    IniFile ini(files, path, system.ansiText());
    std::string code = text::lowerAscii(ini.readString("LocaleInfo", "Locale", ""));
    return isLanguage(code) ? code : std::string();
}

} // namespace

void BindStandardTexts(Dialogs& dialogs) {
    state().dialogs = &dialogs;
    applyStandardTexts();
}

const std::string& SystemLanguageCode() {
    return state().systemCode;
}

const std::string& ActiveLanguage() {
    return state().active;
}

void SetLanguage(std::string_view code) {
    std::string lowered = text::lowerAscii(code);
    if (!isLanguage(lowered) || lowered == state().active)
        return;
    state().active = lowered;
    applyStandardTexts();
}

const std::string& Pick(const std::string& russian, const std::string& english) {
    return state().active == "ru" ? russian : english;
}

void ChooseStartupLanguage(const SystemInfo& system, FileSystem& files) {
    state().systemCode = systemCodeFor(system.localeLanguageName());
    std::string code = languageFromSwitch(system.commandLine());
    if (code.empty())
        code = languageFromCurrentDirectory(system, files);
    if (code.empty())
        code = "en";
    SetLanguage(code);
}

void ResetLanguageState() {
    state() = LanguageState{};
}

} // namespace qz
