#include "locale/Catalogue.h"

#include "locale/Format.h"
#include "locale/Language.h"
#include "locale/LanguageReset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

namespace qz {
namespace {

class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest() { ResetLanguageState(); }
    ~CatalogueTest() override { ResetLanguageState(); }
};

#define KEY(key)                                                                                   \
    { #key, &key }

TEST_F(CatalogueTest, HoldsEveryKeyInTheOrderOfAssignment) {
    const std::vector<std::pair<std::string_view, std::string*>> expected = {
        KEY(MsgEnvironmentsPageTitle),
        KEY(MsgExecutableFile),
        KEY(MsgDoNotUseForIde),
        KEY(MsgIdeExeNotFound),
        KEY(MsgPythonNotFound),
        KEY(MsgMpichNotFound),
        KEY(MsgIdeReady),
        KEY(MsgIdeSuspended),
        KEY(MsgSystemReady),
        KEY(MsgSystemSuspended),
        KEY(MsgNotDefined),
        KEY(MsgWorkDirRequired),
        KEY(MsgExit),
        KEY(MsgAdd),
        KEY(MsgAddAccessDat),
        KEY(MsgChange),
        KEY(MsgNoResultsFile),
        KEY(MsgCreateF9),
        KEY(MsgRemove),
        KEY(MsgDeleteAccessDat),
        KEY(MsgResultsFileCorrupted),
        KEY(MsgSelectEnvironment),
        KEY(MsgWorkDirComplete),
        KEY(MsgFinish),
        KEY(MsgToolTitle),
        KEY(MsgToolsNotFound),
        KEY(MsgReinstall),
        KEY(MsgSettingsReadError),
        KEY(MsgBrowseF8),
        KEY(MsgNoEnvironments),
        KEY(MsgStartupError),
        KEY(MsgConfirmRemoveComponents),
        KEY(MsgComponentsRemovedExcept),
        KEY(MsgSelectIdeExe),
        KEY(MsgExeFilter),
        KEY(MsgNonstandardExeName),
        KEY(MsgDirCannotBeCreated),
        KEY(MsgResultsFileCreation),
        KEY(MsgResultsFileChange),
        KEY(MsgEnterUserData),
        KEY(MsgConfirmDeleteAccessDat),
        KEY(MsgCannotDeleteAccessDat),
        KEY(MsgWorkDirPageTitle),
        KEY(MsgEnvironmentLabel),
        KEY(MsgFile),
        KEY(MsgBackF3),
        KEY(MsgNextF4),
        KEY(MsgAboutF1),
        KEY(MsgCancel),
        KEY(MsgAboutCaption),
        KEY(MsgConfirmCreateDir),
        KEY(MsgCannotCreateDir),
        KEY(MsgOutputDirHelp),
        KEY(MsgUseLocalOutputDir),
        KEY(MsgLocalDriveRequired),
        KEY(MsgAdditionalSettings),
        KEY(MsgFontHelp),
        KEY(MsgAdditionalSettingsF12),
        KEY(MsgVersionLabel),
        KEY(MsgWebsite),
        KEY(MsgOtherLanguage),
        KEY(MsgLanguageCode),
        KEY(MsgUpF5),
        KEY(MsgDownF6),
        KEY(MsgAdditionalSettingsF9),
        KEY(MsgAdditionalSettingsRequired),
        KEY(MsgAdditionalSettingsFor),
        KEY(MsgSelectCompilerHelp),
        KEY(MsgNetFrameworkHelp),
        KEY(MsgEncodingHelp),
        KEY(MsgSelectCompiler),
        KEY(MsgConfirmRemoveWorkDir),
        KEY(MsgNotAWorkDir),
        KEY(MsgWorkDirAlreadyListed),
        KEY(MsgSelectAccessDat),
        KEY(MsgConfigureFromRepositoryF2),
        KEY(MsgConfigureFromRepository),
        KEY(MsgSelectCertificateF2),
        KEY(MsgReplaceCertificateF2),
        KEY(MsgRepositoryGroup),
        KEY(MsgStudentLogin),
        KEY(MsgSelectCertificate),
        KEY(MsgSettingsWriteError),
        KEY(MsgCannotCopyCertificate),
        KEY(MsgNotACertificate),
        KEY(MsgConfirmRecreateResults),
    };
    ASSERT_EQ(expected.size(), 86u);
    const std::vector<CatalogueEntry>& entries = CatalogueEntries();
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, expected[i].first) << "position " << i;
        EXPECT_EQ(entries[i].value, expected[i].second) << expected[i].first;
    }
}

#undef KEY

TEST_F(CatalogueTest, FillAssignsEveryKeyTheTextOfTheActiveLanguage) {
    for (const char* language : {"ru", "en"}) {
        SetLanguage(language);
        FillCatalogue();
        for (const CatalogueEntry& e : CatalogueEntries())
            EXPECT_EQ(*e.value, std::string(language) == "ru" ? e.russian : e.english)
                << language << " " << e.name;
        EXPECT_EQ(MsgLanguageCode, language);
    }
    EXPECT_EQ(MsgOtherLanguage, "Russian");
    SetLanguage("ru");
    FillCatalogue();
    EXPECT_EQ(MsgOtherLanguage, "English");
}

// Russian texts that other programs' users and documents already know, word for word.
TEST_F(CatalogueTest, RussianTextsAreTheEstablishedOnes) {
    const std::vector<std::pair<std::string*, const char*>> established = {
        // Language and start-up.
        {&MsgLanguageCode, "ru"},
        {&MsgOtherLanguage, "English"},
        {&MsgToolTitle, "QZ4 Setup"},
        {&MsgVersionLabel, " QZ 4.27 "},
        {&MsgSettingsReadError, "Ошибка при втором доступе к файлу qz.ini."},
        {&MsgStartupError,
         "При загрузке программы QZ4Setup возникла системная ошибка %s\r\nс диагностикой "
         "\"%s\".\r\nВозможно, программа запущена с носителя, недоступного для записи (например, "
         "с компакт-диска)."},
        {&MsgToolsNotFound, "Не найдены следующие программы-утилиты\r\nзадачника Quazzle:"},
        {&MsgNoEnvironments, "Ни одна из реализаций задачника Quazzle \r\nне найдена. Необходимо "
                             "повторить процедуру установки."},
        // Environments page.
        {&MsgIdeExeNotFound,
         "Исполняемый файл среды %s не найден.\r\nВозможно, данная среда не установлена на "
         "компьютере.\r\nПопробуйте найти требуемый файл с помощью кнопки \"Обзор\"."},
        {&MsgIdeReady, "Задачник настроен для использования в среде %s."},
        {&MsgSystemReady, "Задачник настроен для использования совместно с системой %s."},
        {&MsgIdeSuspended, "Задачник временно отключен от среды %s."},
        {&MsgSystemSuspended, "Система %s временно отключена от задачника."},
        {&MsgExeFilter, "Исполняемые файлы (*.exe)|*.exe"},
        {&MsgAdditionalSettingsF9, "Дополнительная настройка [F9]"},
        {&MsgBackF3, "< Назад [F3]"},
        {&MsgNextF4, "Далее [F4] >"},
        {&MsgExit, "Выход"},
        {&MsgFinish, "Готово"},
        {&MsgCancel, "Отмена"},
        {&MsgDirCannotBeCreated, "Каталог \"%s\" нельзя создать."},
        {&MsgCannotCreateDir, "Невозможно создать каталог \"%s\"."},
        // Working-directory page and its status line.
        {&MsgWorkDirPageTitle, "Настройка рабочих каталогов"},
        {&MsgUpF5, "Вверх [F5]"},
        {&MsgDownF6, "Вниз [F6]"},
        {&MsgAdd, "Добавить"},
        {&MsgRemove, "Удалить"},
        {&MsgCreateF9, "Создать [F9]"},
        {&MsgChange, "Изменить"},
        {&MsgAddAccessDat, "Добавить\r\naccess.dat"},
        {&MsgDeleteAccessDat, "Удалить\r\naccess.dat"},
        {&MsgConfigureFromRepositoryF2, "Настроить из репозитория [F2]"},
        {&MsgAdditionalSettingsF12, "Дополнительные настройки [F12]"},
        {&MsgFile, "Файл"},
        {&MsgEnvironmentLabel, "Рабочая среда:"},
        {&MsgNotDefined, "Не определена"},
        {&MsgWorkDirRequired,
         "Перед началом работы с задачником необходимо указать рабочий каталог."},
        {&MsgWorkDirComplete, "Рабочий каталог определен и содержит все необходимые компоненты."},
        {&MsgResultsFileCorrupted, "Файл результатов results.dat испорчен.\r\nНеобходимо удалить "
                                   "его, после чего создать файл результатов заново."},
        {&MsgSelectEnvironment, "Необходимо выбрать рабочую среду программирования."},
        {&MsgNoResultsFile, "Рабочий каталог не содержит файла результатов results.dat."},
        {&MsgConfirmRemoveWorkDir, "Удалить каталог \"%s\" из списка рабочих каталогов? "
                                   "Содержимое каталога на диске не будет изменено."},
        // Adding a folder and the name dialog.
        {&MsgNotAWorkDir, "Каталог \"%s\" не может использоваться как рабочий каталог задачника."},
        {&MsgWorkDirAlreadyListed,
         "Каталог \"%s\" уже содержится в списке рабочих каталогов задачника."},
        {&MsgResultsFileCreation, "Создание файла результатов"},
        {&MsgResultsFileChange, "Изменение файла результатов"},
        {&MsgEnterUserData,
         "Введите свои данные (фамилия, имя), которые будут занесены в файл результатов:"},
        // Certificate.
        {&MsgConfirmDeleteAccessDat,
         "Удалить файл сертификата доступа access.dat из рабочего каталога \"%s\"?"},
        {&MsgCannotDeleteAccessDat, "Файл сертификата доступа access.dat удалить не "
                                    "удалось.\r\nПопытайтесь удалить этот файл самостоятельно."},
        {&MsgSelectAccessDat, "Выбор файла сертификата доступа access.dat"},
        // Repository dialog.
        {&MsgConfigureFromRepository, "Настроить рабочие каталоги из репозитория"},
        {&MsgRepositoryGroup, "Имя группы в репозитории:"},
        {&MsgStudentLogin, "Логин учащегося:"},
        {&MsgSelectCertificate, "Выбор сертификата подключения к репозиторию"},
        {&MsgSelectCertificateF2, "Выбрать сертификат подключения к репозиторию [F2]"},
        {&MsgReplaceCertificateF2, "Заменить сертификат подключения к репозиторию [F2]"},
    };
    SetLanguage("ru");
    FillCatalogue();
    for (const auto& [key, russian] : established) {
        auto entry = std::find_if(CatalogueEntries().begin(), CatalogueEntries().end(),
                                  [key = key](const CatalogueEntry& e) { return e.value == key; });
        ASSERT_NE(entry, CatalogueEntries().end());
        EXPECT_EQ(*key, russian) << entry->name;
    }
    // The download address (the same in both languages) follows on a line of its own.
    const std::string mpich = "Исполняемый файл MPIRun.exe системы MPICH 1.2.5 не найден.\r\n"
                              "Возможно, система MPICH 1.2.5 не установлена. Скачать ее "
                              "дистрибутив можно по ссылке:\r\n";
    ASSERT_EQ(MsgMpichNotFound.substr(0, mpich.size()), mpich);
    EXPECT_EQ(MsgMpichNotFound.find("\r\n", mpich.size()), std::string::npos);
}

TEST_F(CatalogueTest, FillBeforeAnyLanguageGivesEnglish) {
    FillCatalogue();
    EXPECT_EQ(MsgExit, "Exit");
    EXPECT_EQ(MsgLanguageCode, "en");
}

// Which arguments a text uses and as what kind, regardless of order and repetition.
std::set<std::pair<std::size_t, char>> argumentUse(const std::string& text) {
    std::set<std::pair<std::size_t, char>> use;
    for (const FormatPlaceholder& p : FormatPlaceholders(text))
        use.insert({p.argument, p.kind});
    return use;
}

std::vector<std::string> functionKeys(const std::string& text) {
    static const std::regex key(R"(\[F\d+\])");
    std::vector<std::string> keys;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), key);
         it != std::sregex_iterator(); ++it)
        keys.push_back(it->str());
    return keys;
}

bool lineBreaksAreCrLf(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

TEST_F(CatalogueTest, BothTextsOfEveryKeyTakeTheSameArguments) {
    const std::vector<FormatArg> args = {"A", "B", "C", "D"};
    for (const CatalogueEntry& e : CatalogueEntries()) {
        auto use = argumentUse(e.english);
        EXPECT_EQ(argumentUse(e.russian), use) << e.name;
        // Arguments are numbered without gaps: none is passed and never shown.
        std::set<std::size_t> numbers;
        for (const auto& u : use)
            numbers.insert(u.first);
        EXPECT_TRUE(numbers.empty() || *numbers.rbegin() + 1 == numbers.size()) << e.name;
        // Every percent sign belongs to a placeholder.
        EXPECT_EQ(Format(e.english, args).find('%'), std::string::npos) << e.name;
        EXPECT_EQ(Format(e.russian, args).find('%'), std::string::npos) << e.name;
    }
}

TEST_F(CatalogueTest, BothTextsShowTheSameFunctionKeysAndBreakLinesWithCrLf) {
    for (const CatalogueEntry& e : CatalogueEntries()) {
        EXPECT_EQ(functionKeys(e.russian), functionKeys(e.english)) << e.name;
        EXPECT_TRUE(lineBreaksAreCrLf(e.russian)) << e.name;
        EXPECT_TRUE(lineBreaksAreCrLf(e.english)) << e.name;
    }
}

TEST_F(CatalogueTest, EveryKeyIsTranslated) {
    const std::set<std::string_view> sameInBoth = {"MsgToolTitle", "MsgVersionLabel"};
    for (const CatalogueEntry& e : CatalogueEntries()) {
        EXPECT_FALSE(e.english.empty()) << e.name;
        EXPECT_EQ(e.russian == e.english, sameInBoth.count(e.name) == 1) << e.name;
    }
}

TEST_F(CatalogueTest, TextsFormatWithTheArgumentsTheirCallersPass) {
    struct Case {
        std::string* key;
        std::vector<FormatArg> args;
        const char* english;
        const char* russian;
    } cases[] = {
        {&MsgIdeExeNotFound,
         {"Lazarus"},
         "The executable file for Lazarus is not found.\r\nTry to find it by pressing the "
         "\"Browse\" button,\r\nbut it seems likely that Lazarus is not installed on your "
         "computer.",
         "Исполняемый файл среды Lazarus не найден.\r\nВозможно, данная среда не установлена на "
         "компьютере.\r\nПопробуйте найти требуемый файл с помощью кнопки \"Обзор\"."},
        {&MsgStartupError,
         {"EInOutError", "Access denied"},
         "The program QZ4Setup caused a system error EInOutError with diagnostics \"Access "
         "denied\". It is likely that the program was run in the read-only directory (for "
         "example, in the directory on CD)",
         "При загрузке программы QZ4Setup возникла системная ошибка EInOutError\r\nс "
         "диагностикой \"Access denied\".\r\nВозможно, программа запущена с носителя, "
         "недоступного для записи (например, с компакт-диска)."},
    };
    for (const char* language : {"en", "ru"}) {
        SetLanguage(language);
        FillCatalogue();
        for (const Case& c : cases)
            EXPECT_EQ(Format(*c.key, c.args),
                      std::string(language) == "ru" ? c.russian : c.english);
    }
    SetLanguage("en");
    FillCatalogue();
    std::string help = Format(MsgSelectCompilerHelp, {"g++", "Dev-C++"});
    EXPECT_EQ(help.substr(0, 79),
              "Select the file g++.exe, which will be used when compiling programs in Dev-C++.");
    std::size_t shown = 0;
    for (std::size_t at = help.find("g++.exe"); at != std::string::npos;
         at = help.find("g++.exe", at + 1))
        ++shown;
    EXPECT_EQ(shown, 4u) << help;
}

} // namespace
} // namespace qz
