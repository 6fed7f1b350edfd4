#include "locale/Catalogue.h"

#include "locale/Language.h"

namespace qz {

std::string MsgEnvironmentsPageTitle;
std::string MsgExecutableFile;
std::string MsgDoNotUseForIde;
std::string MsgIdeExeNotFound;
std::string MsgPythonNotFound;
std::string MsgMpichNotFound;
std::string MsgIdeReady;
std::string MsgIdeSuspended;
std::string MsgSystemReady;
std::string MsgSystemSuspended;
std::string MsgNotDefined;
std::string MsgWorkDirRequired;
std::string MsgExit;
std::string MsgAdd;
std::string MsgAddAccessDat;
std::string MsgChange;
std::string MsgNoResultsFile;
std::string MsgCreateF9;
std::string MsgRemove;
std::string MsgDeleteAccessDat;
std::string MsgResultsFileCorrupted;
std::string MsgSelectEnvironment;
std::string MsgWorkDirComplete;
std::string MsgFinish;
std::string MsgToolTitle;
std::string MsgToolsNotFound;
std::string MsgReinstall;
std::string MsgSettingsReadError;
std::string MsgBrowseF8;
std::string MsgNoEnvironments;
std::string MsgStartupError;
std::string MsgConfirmRemoveComponents;
std::string MsgComponentsRemovedExcept;
std::string MsgSelectIdeExe;
std::string MsgExeFilter;
std::string MsgNonstandardExeName;
std::string MsgDirCannotBeCreated;
std::string MsgResultsFileCreation;
std::string MsgResultsFileChange;
std::string MsgEnterUserData;
std::string MsgConfirmDeleteAccessDat;
std::string MsgCannotDeleteAccessDat;
std::string MsgWorkDirPageTitle;
std::string MsgEnvironmentLabel;
std::string MsgFile;
std::string MsgBackF3;
std::string MsgNextF4;
std::string MsgAboutF1;
std::string MsgCancel;
std::string MsgAboutCaption;
std::string MsgConfirmCreateDir;
std::string MsgCannotCreateDir;
std::string MsgOutputDirHelp;
std::string MsgUseLocalOutputDir;
std::string MsgLocalDriveRequired;
std::string MsgAdditionalSettings;
std::string MsgFontHelp;
std::string MsgAdditionalSettingsF12;
std::string MsgVersionLabel;
std::string MsgWebsite;
std::string MsgOtherLanguage;
std::string MsgLanguageCode;
std::string MsgUpF5;
std::string MsgDownF6;
std::string MsgAdditionalSettingsF9;
std::string MsgAdditionalSettingsRequired;
std::string MsgAdditionalSettingsFor;
std::string MsgSelectCompilerHelp;
std::string MsgNetFrameworkHelp;
std::string MsgEncodingHelp;
std::string MsgSelectCompiler;
std::string MsgConfirmRemoveWorkDir;
std::string MsgNotAWorkDir;
std::string MsgWorkDirAlreadyListed;
std::string MsgSelectAccessDat;
std::string MsgConfigureFromRepositoryF2;
std::string MsgConfigureFromRepository;
std::string MsgSelectCertificateF2;
std::string MsgReplaceCertificateF2;
std::string MsgRepositoryGroup;
std::string MsgStudentLogin;
std::string MsgSelectCertificate;
std::string MsgSettingsWriteError;
std::string MsgCannotCopyCertificate;
std::string MsgNotACertificate;
std::string MsgConfirmRecreateResults;

namespace {

// Where the MPICH 1.2.5 installer for Windows was published.
const std::string MpichDownload = "ftp://ftp.mcs.anl.gov/pub/mpi/nt/mpich.nt.1.2.5.exe";

} // namespace

// The key's name as written in code, and where its value lives.
#define QZ_KEY(key) #key, &key

const std::vector<CatalogueEntry>& CatalogueEntries() {
    static const std::vector<CatalogueEntry> entries = {
        {QZ_KEY(MsgEnvironmentsPageTitle),
         "Настройка задачника Quazzle для имеющихся сред программирования",
         "Quazzle setup for available IDEs"},
        {QZ_KEY(MsgExecutableFile), "Исполняемый файл:", "Executable file:"},
        {QZ_KEY(MsgDoNotUseForIde), "Не использовать задачник в этой среде [F7]",
         "Do not use Quazzle for this IDE [F7]"},
        {QZ_KEY(MsgIdeExeNotFound),
         "Исполняемый файл среды %s не найден.\r\nВозможно, данная среда не установлена на "
         "компьютере.\r\nПопробуйте найти требуемый файл с помощью кнопки \"Обзор\".",
         "The executable file for %s is not found.\r\nTry to find it by pressing the \"Browse\" "
         "button,\r\nbut it seems likely that %0:s is not installed on your computer."},
        {QZ_KEY(MsgPythonNotFound),
         "Система Python %s для %s не найдена.\r\nПопробуйте найти ее в разделе \"IDLE (Python "
         "%0:s)\" с помощью кнопки \"Обзор\",\r\nоднако, возможно, эта система не установлена на "
         "компьютере.",
         "The Python %s system for %s is not found.\r\nTry to find it in the \"IDLE (Python "
         "%0:s)\" section by pressing the \"Browse\" button,\r\nbut it seems likely that this "
         "system is not installed on your computer."},
        {QZ_KEY(MsgMpichNotFound),
         "Исполняемый файл MPIRun.exe системы MPICH 1.2.5 не найден.\r\nВозможно, система MPICH "
         "1.2.5 не установлена. Скачать ее дистрибутив можно по ссылке:\r\n" +
             MpichDownload,
         "The executable file MPIRun.exe of MPICH 1.2.5 is not found. It seems likely that MPICH "
         "1.2.5\r\n(" +
             MpichDownload + ")\r\nis not installed on your computer."},
        {QZ_KEY(MsgIdeReady), "Задачник настроен для использования в среде %s.",
         "Quazzle can be used with %s."},
        {QZ_KEY(MsgIdeSuspended), "Задачник временно отключен от среды %s.",
         "Quazzle is temporarily disconnected from %s."},
        {QZ_KEY(MsgSystemReady), "Задачник настроен для использования совместно с системой %s.",
         "Quazzle can be used with %s."},
        {QZ_KEY(MsgSystemSuspended), "Система %s временно отключена от задачника.",
         "The %s is temporarily disconnected from Quazzle."},
        {QZ_KEY(MsgNotDefined), "Не определена", "Not defined"},
        {QZ_KEY(MsgWorkDirRequired),
         "Перед началом работы с задачником необходимо указать рабочий каталог.",
         "The working directory must be specified."},
        {QZ_KEY(MsgExit), "Выход", "Exit"},
        {QZ_KEY(MsgAdd), "Добавить", "Add"},
        {QZ_KEY(MsgAddAccessDat), "Добавить\r\naccess.dat", "Add\r\naccess.dat"},
        {QZ_KEY(MsgChange), "Изменить", "Change"},
        {QZ_KEY(MsgNoResultsFile), "Рабочий каталог не содержит файла результатов results.dat.",
         "A file results.dat is not found at the working directory."},
        {QZ_KEY(MsgCreateF9), "Создать [F9]", "Create [F9]"},
        {QZ_KEY(MsgRemove), "Удалить", "Remove"},
        {QZ_KEY(MsgDeleteAccessDat), "Удалить\r\naccess.dat", "Delete\r\naccess.dat"},
        {QZ_KEY(MsgResultsFileCorrupted),
         "Файл результатов results.dat испорчен.\r\nНеобходимо удалить его, после чего создать "
         "файл результатов заново.",
         "The file results.dat is corrupted and needs to be deleted and then recreated."},
        {QZ_KEY(MsgSelectEnvironment), "Необходимо выбрать рабочую среду программирования.",
         "Select a work environment."},
        {QZ_KEY(MsgWorkDirComplete),
         "Рабочий каталог определен и содержит все необходимые компоненты.",
         "The working directory is defined. It contains all necessary components."},
        {QZ_KEY(MsgFinish), "Готово", "Finish"},
        {QZ_KEY(MsgToolTitle), "QZ4 Setup", "QZ4 Setup"},
        {QZ_KEY(MsgToolsNotFound), "Не найдены следующие программы-утилиты\r\nзадачника Quazzle:",
         "The following tools of Quazzle are not found:"},
        {QZ_KEY(MsgReinstall), "Необходимо повторить процедуру установки задачника Quazzle.",
         "You should reinstall Quazzle."},
        {QZ_KEY(MsgSettingsReadError), "Ошибка при втором доступе к файлу qz.ini.",
         "Could not read data from the file qz.ini."},
        {QZ_KEY(MsgBrowseF8), "Обзор [F8]", "Browse [F8]"},
        {QZ_KEY(MsgNoEnvironments),
         "Ни одна из реализаций задачника Quazzle \r\nне найдена. Необходимо повторить процедуру "
         "установки.",
         "Environments for Quazzle are not found. You should reinstall Quazzle."},
        {QZ_KEY(MsgStartupError),
         "При загрузке программы QZ4Setup возникла системная ошибка %s\r\nс диагностикой "
         "\"%s\".\r\nВозможно, программа запущена с носителя, недоступного для записи (например, "
         "с компакт-диска).",
         "The program QZ4Setup caused a system error %s with diagnostics \"%s\". It is likely "
         "that the program was run in the read-only directory (for example, in the directory on "
         "CD)"},
        {QZ_KEY(MsgConfirmRemoveComponents),
         "Компоненты задачника Quazzle для %s будут полностью удалены с компьютера. Удалить эти "
         "компоненты?",
         "The Quazzle components for %s will be completely removed from your computer. Remove "
         "these components?"},
        {QZ_KEY(MsgComponentsRemovedExcept),
         "Компоненты задачника Quazzle для %s удалены, за исключением следующих файлов:",
         "The Quazzle components for %s are deleted, with the exception of the following files:"},
        {QZ_KEY(MsgSelectIdeExe), "Выберите исполняемый файл среды %s (%s.exe)",
         "Select the executable file for %s IDE (%s.exe)"},
        {QZ_KEY(MsgExeFilter), "Исполняемые файлы (*.exe)|*.exe", "Executable files (*.exe)|*.exe"},
        {QZ_KEY(MsgNonstandardExeName),
         "Имя выбранного файла отличается от стандартного имени исполняемого файла среды %s "
         "(%s.exe).",
         "The selected filename differs from the default filename of %s IDE (%s.exe)."},
        {QZ_KEY(MsgDirCannotBeCreated), "Каталог \"%s\" нельзя создать.",
         "Cannot create the directory \"%s\"."},
        {QZ_KEY(MsgResultsFileCreation), "Создание файла результатов", "Results file creation"},
        {QZ_KEY(MsgResultsFileChange), "Изменение файла результатов", "Results file changing"},
        {QZ_KEY(MsgEnterUserData),
         "Введите свои данные (фамилия, имя), которые будут занесены в файл результатов:",
         "Enter user data (name, surname), which will be saved in the results file:"},
        {QZ_KEY(MsgConfirmDeleteAccessDat),
         "Удалить файл сертификата доступа access.dat из рабочего каталога \"%s\"?",
         "Delete the certificate file access.dat from the working directory \"%s\"?"},
        {QZ_KEY(MsgCannotDeleteAccessDat),
         "Файл сертификата доступа access.dat удалить не удалось.\r\nПопытайтесь удалить этот "
         "файл самостоятельно.",
         "Could not delete the certificate file access.dat from the working directory."},
        {QZ_KEY(MsgWorkDirPageTitle), "Настройка рабочих каталогов", "Working directories setup"},
        {QZ_KEY(MsgEnvironmentLabel), "Рабочая среда:", "Environment:"},
        {QZ_KEY(MsgFile), "Файл", "File"},
        {QZ_KEY(MsgBackF3), "< Назад [F3]", "< Back [F3]"},
        {QZ_KEY(MsgNextF4), "Далее [F4] >", "Next [F4] >"},
        {QZ_KEY(MsgAboutF1), "Об авторе [F1]", "About the author [F1]"},
        {QZ_KEY(MsgCancel), "Отмена", "Cancel"},
        {QZ_KEY(MsgAboutCaption), "Автор задачника Quazzle", "Author of Quazzle"},
        {QZ_KEY(MsgConfirmCreateDir), "Каталог \"%s\" не существует. Создать его?",
         "The directory \"%s\" does not exist. Create it?"},
        {QZ_KEY(MsgCannotCreateDir), "Невозможно создать каталог \"%s\".",
         "Cannot create the directory \"%s\"."},
        {QZ_KEY(MsgOutputDirHelp),
         "КАТАЛОГ ВЫХОДНЫХ ФАЙЛОВ для языков C#, VB.NET, C++\r\n\r\nПо умолчанию каталогом "
         "выходных файлов является рабочий каталог. Однако если рабочий каталог расположен на "
         "удаленном (сетевом) диске, то для языков C#, VB.NET, C++ в качестве каталога выходных "
         "файлов желательно использовать какой-либо каталог на локальном жестком диске.\r\n"
         "ЗАМЕЧАНИЕ. Для языка C++ изменение каталога выходных файлов возможно только в средах "
         "Visual Studio и Code::Blocks.",
         "OUTPUT DIRECTORY for C#, VB.NET, C++ languages\r\n\r\nThe default output directory is "
         "the working directory. But if the working directory is located in a remote (network) "
         "drive, then, in the case of the C#, VB.NET, C++ languages, it is preferably to use some "
         "local hard disk directory as an output directory.\r\nREMARK. For C++, the output "
         "directory changing is only possible for Visual Studio and Code::Blocks IDEs."},
        {QZ_KEY(MsgUseLocalOutputDir),
         "Использовать каталог выходных файлов на локальном жестком диске",
         "Use an output directory located in a local hard disk"},
        {QZ_KEY(MsgLocalDriveRequired),
         "Имя каталога должно содержать имя локального жесткого диска.",
         "The directory name must contain the name of a local hard disk."},
        {QZ_KEY(MsgAdditionalSettings), "Дополнительные настройки", "Additional settings"},
        {QZ_KEY(MsgFontHelp), "ШРИФТ для основных разделов окна задачника Quazzle",
         "FONT for the main sections of the Quazzle window"},
        {QZ_KEY(MsgAdditionalSettingsF12), "Дополнительные настройки [F12]",
         "Additional settings [F12]"},
        {QZ_KEY(MsgVersionLabel), " QZ 4.27 ", " QZ 4.27 "},
        {QZ_KEY(MsgWebsite), "Сайт:", "Website:"},
        {QZ_KEY(MsgOtherLanguage), "English", "Russian"},
        {QZ_KEY(MsgLanguageCode), "ru", "en"},
        {QZ_KEY(MsgUpF5), "Вверх [F5]", "Up [F5]"},
        {QZ_KEY(MsgDownF6), "Вниз [F6]", "Down [F6]"},
        {QZ_KEY(MsgAdditionalSettingsF9), "Дополнительная настройка [F9]",
         "Additional\r\nsettings [F9]"},
        {QZ_KEY(MsgAdditionalSettingsRequired),
         "\r\nДля %s требуется дополнительная настройка\r\n(используйте кнопку \"Дополнительная "
         "настройка\").",
         "\r\nAdditional settings for %s are required\r\n(use the \"Additional settings\" "
         "button)."},
        {QZ_KEY(MsgAdditionalSettingsFor), "Дополнительная настройка для %s",
         "Additional settings for %s"},
        {QZ_KEY(MsgSelectCompilerHelp),
         "Выберите файл %s.exe, который будет использоваться при компиляции программ в среде "
         "%s.\r\n\r\nРекомендуется выбрать компилятор, входящий в состав сред, поддерживаемых "
         "задачником Quazzle:\r\n\r\n* Dev-C++ 5.11: файл %0:s.exe находится в подкаталоге "
         "MinGW64\\bin,\r\n\r\n* Dev-C++ 6.30: файл %0:s.exe находится в подкаталоге "
         "TDM-GCC-64\\bin,\r\n\r\n* Code::Blocks 20.03: файл %0:s.exe находится в подкаталоге "
         "MinGW\\bin.",
         "Select the file %s.exe, which will be used when compiling programs in %s.\r\n\r\nIt is "
         "recommended to choose a compiler included in the environments that are supported by "
         "the Quazzle:\r\n\r\n* Dev-C++ 5.11: %0:s.exe is contained in the MinGW64\\bin "
         "subdirectory,\r\n\r\n* Dev-C++ 6.30: %0:s.exe is contained in the TDM-GCC-64\\bin "
         "subdirectory,\r\n\r\n* Code::Blocks 20.03: %0:s.exe is contained in the MinGW\\bin "
         "subdirectory."},
        {QZ_KEY(MsgNetFrameworkHelp),
         "Выберите версию целевой платформы .NET Framework, которая будет использоваться при "
         "компиляции программ в среде %s (версия должна быть не ниже 4.7).",
         "Select the version of the target .NET Framework, which will be used when compiling "
         "programs in %s (the version must be at least 4.7)."},
        {QZ_KEY(MsgEncodingHelp),
         "Укажите число 1, если редактор среды %s использует кодировку UTF-8, и число 0, если "
         "редактор использует однобайтную кодировку (ANSI).\r\n\r\nРедактор Dev-C++ 5.11 "
         "поддерживает только кодировку ANSI (вариант 0), \r\nредактор Dev-C++ 6.30 использует "
         "кодировку UTF-8 (вариант 1), \r\nредактор Code::Blocks 20.03 по умолчанию использует "
         "кодировку UTF-8 (вариант 1), \r\nредактор Visual Studio по умолчанию использует "
         "кодировку ANSI (вариант 0).",
         "Specify the number 1 if the %s environment editor uses UTF-8 encoding, and the number 0 "
         "if the editor uses single-byte encoding (ANSI).\r\n\r\nThe Dev-C++ 5.11 editor "
         "supports only ANSI encoding (option 0), \r\nthe Dev-C++ 6.30 editor uses UTF-8 "
         "encoding (option 1), \r\nthe Code::Blocks 20.03 editor uses UTF-8 encoding by default "
         "(option 1), \r\nthe Visual Studio editor uses ANSI encoding by default (option 0)."},
        {QZ_KEY(MsgSelectCompiler), "Выберите компилятор %s.exe для %s",
         "Select the compiler %s.exe for %s"},
        {QZ_KEY(MsgConfirmRemoveWorkDir),
         "Удалить каталог \"%s\" из списка рабочих каталогов? Содержимое каталога на диске не "
         "будет изменено.",
         "Remove directory \"%s\" from the list of working directories? The contents of the "
         "directory on the disk will not be changed."},
        {QZ_KEY(MsgNotAWorkDir),
         "Каталог \"%s\" не может использоваться как рабочий каталог задачника.",
         "The \"%s\" directory cannot be used as a working directory of the Quazzle."},
        {QZ_KEY(MsgWorkDirAlreadyListed),
         "Каталог \"%s\" уже содержится в списке рабочих каталогов задачника.",
         "The directory \"%s\" is already contained in the list of working directories."},
        {QZ_KEY(MsgSelectAccessDat), "Выбор файла сертификата доступа access.dat",
         "Select the certificate file access.dat"},
        {QZ_KEY(MsgConfigureFromRepositoryF2), "Настроить из репозитория [F2]",
         "Configure from repository [F2]"},
        {QZ_KEY(MsgConfigureFromRepository), "Настроить рабочие каталоги из репозитория",
         "Configure work directories from repository"},
        {QZ_KEY(MsgSelectCertificateF2), "Выбрать сертификат подключения к репозиторию [F2]",
         "Select repository connection certificate [F2]"},
        {QZ_KEY(MsgReplaceCertificateF2), "Заменить сертификат подключения к репозиторию [F2]",
         "Replace repository connection certificate [F2]"},
        {QZ_KEY(MsgRepositoryGroup), "Имя группы в репозитории:", "Repository group name:"},
        {QZ_KEY(MsgStudentLogin), "Логин учащегося:", "Student login:"},
        {QZ_KEY(MsgSelectCertificate), "Выбор сертификата подключения к репозиторию",
         "Select repository connection certificate"},
        {QZ_KEY(MsgSettingsWriteError),
         "Не удалось записать настройки в файл %s.\r\nИзменения настроек не сохранены. "
         "Запустите программу от имени администратора.",
         "Could not write the settings to the file %s.\r\nThe changes to the settings are not "
         "saved. Run "
         "the program as an administrator."},
        {QZ_KEY(MsgCannotCopyCertificate), "Не удалось скопировать файл %s в %s.",
         "Could not copy the file %s to %s."},
        {QZ_KEY(MsgNotACertificate), "Файл %s не является сертификатом доступа.",
         "The file %s is not an access certificate."},
        {QZ_KEY(MsgConfirmRecreateResults),
         "Файл результатов в каталоге \"%s\" уже содержит результаты выполнения заданий. "
         "Если создать его заново, они будут потеряны.\r\nСоздать файл результатов заново?",
         "The results file in the directory \"%s\" already holds task results. If it is "
         "created anew, they will be lost.\r\nCreate the results file anew?"},
    };
    return entries;
}

#undef QZ_KEY

void FillCatalogue() {
    for (const CatalogueEntry& entry : CatalogueEntries())
        *entry.value = Pick(entry.russian, entry.english);
}

} // namespace qz
