#include "locale/Language.h"

#include "locale/LanguageReset.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

// Every standard text in a fixed order, so two sets compare as one value.
std::vector<std::string> fields(const StandardTexts& t) {
    return {t.createDirectoryPrompt,
            t.selectDirectoryCaption,
            t.directoryNameLabel,
            t.drivesLabel,
            t.directoriesLabel,
            t.filesLabel,
            t.networkButton,
            t.cancelButton,
            t.yesButton,
            t.noButton,
            t.warningCaption,
            t.errorCaption,
            t.informationCaption,
            t.confirmationCaption};
}

const std::vector<std::string> English = {"The specified directory does not exist. Create it?",
                                          "Select Directory",
                                          "Directory &Name:",
                                          "D&rives:",
                                          "&Directories:",
                                          "&Files: (*.*)",
                                          "Ne&twork...",
                                          "Cancel",
                                          "&Yes",
                                          "&No",
                                          "Warning",
                                          "Error",
                                          "Information",
                                          "Confirm"};

const std::vector<std::string> Russian = {"Указанный каталог не существует. Создать его?",
                                          "Выбор каталога",
                                          "Имя каталога:",
                                          "Диски:",
                                          "Каталоги:",
                                          "Файлы: (*.*)",
                                          "Сеть...",
                                          "Отмена",
                                          "Да",
                                          "Нет",
                                          "Предупреждение",
                                          "Ошибка",
                                          "Информация",
                                          "Подтверждение"};

// Texts no language has, to see whether SetLanguage touched the dialogs.
StandardTexts markerTexts() {
    StandardTexts t;
    t.cancelButton = "marker";
    t.errorCaption = "marker";
    return t;
}

class LanguageTest : public ::testing::Test {
protected:
    LanguageTest() {
        ResetLanguageState();
        BindStandardTexts(m.dialogs);
        m.files.createDirectories("C:\\Work");
        m.files.createDirectories("C:\\QZ4");
        m.files.setCurrentDirectory("C:\\Work");
    }
    ~LanguageTest() override { ResetLanguageState(); }

    test::TestMachine m;
};

TEST_F(LanguageTest, StartupChoiceTakesTheFirstSwitchThenTheCurrentFolderSettingsThenEnglish) {
    enum Where { NoFile, CurrentFolder, ProgramFolder };
    struct Case {
        std::vector<std::string> arguments;
        Where settings;
        const char* locale;
        const char* expected;
    } cases[] = {
        {{"-lRU"}, NoFile, "", "ru"},
        {{"-Lru"}, NoFile, "", "ru"},
        {{"-lru"}, NoFile, "", "ru"},
        {{"-LEN"}, CurrentFolder, "ru", "en"},
        {{"C:\\Work", "-FAST", "-lru"}, NoFile, "", "ru"},
        // A switch that names no language leaves the choice to the settings file.
        {{"-l"}, CurrentFolder, "ru", "ru"},
        {{"-lde"}, CurrentFolder, "ru", "ru"},
        {{"-language"}, CurrentFolder, "ru", "ru"},
        // Only the first "-l" parameter counts.
        {{"-len", "-lru"}, NoFile, "", "en"},
        {{"-lde", "-lru"}, NoFile, "", "en"},
        {{}, CurrentFolder, "RU", "ru"},
        {{}, CurrentFolder, " en ", "en"},
        {{}, CurrentFolder, "fr", "en"},
        {{}, CurrentFolder, "", "en"},
        {{}, ProgramFolder, "ru", "en"},
        {{}, NoFile, "", "en"},
    };
    for (const Case& c : cases) {
        test::TestMachine machine;
        machine.files.createDirectories("C:\\Work");
        machine.files.setCurrentDirectory("C:\\Work");
        machine.system.program = "C:\\QZ4\\QZ4Setup.exe";
        machine.system.languageName = "Russian"; // plays no part in the choice
        machine.system.arguments = c.arguments;
        std::string ini = std::string("[LocaleInfo]\r\nLocale=") + c.locale + "\r\n";
        if (c.settings == CurrentFolder)
            machine.writeFile("C:\\Work\\qz.ini", ini);
        else if (c.settings == ProgramFolder)
            machine.writeFile("C:\\QZ4\\qz.ini", ini);
        ResetLanguageState();
        ChooseStartupLanguage(machine.system, machine.files);
        std::string arguments;
        for (const std::string& a : c.arguments)
            arguments += a + " ";
        EXPECT_EQ(ActiveLanguage(), c.expected)
            << "arguments: " << arguments << " settings: " << c.settings << " " << c.locale;
    }
}

TEST_F(LanguageTest, StartupSettingsAreMatchedWithoutRegardToCaseInTheAnsiCodePage) {
    m.system.ansi = 1251;
    // The section's other keys hold Cyrillic text in the ANSI code page.
    m.writeFile("C:\\Work\\QZ.INI",
                "[Work Directory]\r\nLabel=\xC8\xE2\xE0\xED\r\n[localeinfo]\r\nLOCALE = Ru\r\n");
    ChooseStartupLanguage(m.system, m.files);
    EXPECT_EQ(ActiveLanguage(), "ru");
}

TEST_F(LanguageTest, StartupChoiceAppliesTheStandardTexts) {
    m.system.arguments = {"-lru"};
    ChooseStartupLanguage(m.system, m.files);
    EXPECT_EQ(fields(m.dialogs.standardTexts()), Russian);
}

TEST_F(LanguageTest, SystemLanguageCodeComesFromTheLocaleNameAlone) {
    struct Case {
        const char* name;
        const char* code;
    } cases[] = {{"Russian", "ru"}, {"Chinese (Simplified)", "ch"},  {"English", "en"},
                 {"", "en"}, // the query failed
                 {"russian", "en"}, {"Chinese (Traditional)", "en"}, {"Ukrainian", "en"}};
    for (const Case& c : cases) {
        m.system.languageName = c.name;
        m.system.arguments = {"-len"};
        ChooseStartupLanguage(m.system, m.files);
        EXPECT_EQ(SystemLanguageCode(), c.code) << c.name;
        EXPECT_EQ(ActiveLanguage(), "en") << c.name;
    }
}

TEST_F(LanguageTest, SetLanguageSwitchesTheStandardTextsBothWays) {
    EXPECT_EQ(ActiveLanguage(), "");
    SetLanguage("RU");
    EXPECT_EQ(ActiveLanguage(), "ru");
    EXPECT_EQ(fields(m.dialogs.standardTexts()), Russian);
    SetLanguage("En");
    EXPECT_EQ(ActiveLanguage(), "en");
    EXPECT_EQ(fields(m.dialogs.standardTexts()), English);
}

TEST_F(LanguageTest, SetLanguageIgnoresUnknownCodesAndTheActiveOne) {
    m.dialogs.setStandardTexts(markerTexts());
    for (const char* code : {"", "de", "r", "rus", "en ", "ch", "ру"}) {
        SetLanguage(code);
        EXPECT_EQ(ActiveLanguage(), "") << code;
    }
    EXPECT_EQ(fields(m.dialogs.standardTexts()), fields(markerTexts()));

    SetLanguage("en");
    m.dialogs.setStandardTexts(markerTexts());
    SetLanguage("EN");
    SetLanguage("xx");
    EXPECT_EQ(ActiveLanguage(), "en");
    EXPECT_EQ(fields(m.dialogs.standardTexts()), fields(markerTexts()));
}

TEST_F(LanguageTest, DialogsBoundLaterReceiveTheActiveLanguage) {
    SetLanguage("ru");
    test::TestMachine later;
    BindStandardTexts(later.dialogs);
    EXPECT_EQ(fields(later.dialogs.standardTexts()), Russian);
}

TEST_F(LanguageTest, PickFollowsTheActiveLanguageAndIsEnglishBeforeAny) {
    const std::string ru = "Выход", en = "Exit";
    EXPECT_EQ(Pick(ru, en), en);
    SetLanguage("ru");
    EXPECT_EQ(Pick(ru, en), ru);
    SetLanguage("en");
    EXPECT_EQ(Pick(ru, en), en);
}

} // namespace
} // namespace qz
