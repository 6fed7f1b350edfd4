// The message catalogue: every text the configuration tool shows, in the
// active language. Each key is a process-wide value that code reads
// directly; FillCatalogue assigns all of them for the active language.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

extern std::string MsgEnvironmentsPageTitle;
extern std::string MsgExecutableFile;
extern std::string MsgDoNotUseForIde;
extern std::string MsgIdeExeNotFound;
extern std::string MsgPythonNotFound;
extern std::string MsgMpichNotFound;
extern std::string MsgIdeReady;
extern std::string MsgIdeSuspended;
extern std::string MsgSystemReady;
extern std::string MsgSystemSuspended;
extern std::string MsgNotDefined;
extern std::string MsgWorkDirRequired;
extern std::string MsgExit;
extern std::string MsgAdd;
extern std::string MsgAddAccessDat;
extern std::string MsgChange;
extern std::string MsgNoResultsFile;
extern std::string MsgCreateF9;
extern std::string MsgRemove;
extern std::string MsgDeleteAccessDat;
extern std::string MsgResultsFileCorrupted;
extern std::string MsgSelectEnvironment;
extern std::string MsgWorkDirComplete;
extern std::string MsgFinish;
extern std::string MsgToolTitle;
extern std::string MsgToolsNotFound;
extern std::string MsgReinstall;
extern std::string MsgSettingsReadError;
extern std::string MsgBrowseF8;
extern std::string MsgNoEnvironments;
extern std::string MsgStartupError;
extern std::string MsgConfirmRemoveComponents;
extern std::string MsgComponentsRemovedExcept;
extern std::string MsgSelectIdeExe;
extern std::string MsgExeFilter;
extern std::string MsgNonstandardExeName;
extern std::string MsgDirCannotBeCreated;
extern std::string MsgResultsFileCreation;
extern std::string MsgResultsFileChange;
extern std::string MsgEnterUserData;
extern std::string MsgConfirmDeleteAccessDat;
extern std::string MsgCannotDeleteAccessDat;
extern std::string MsgWorkDirPageTitle;
extern std::string MsgEnvironmentLabel;
extern std::string MsgFile;
extern std::string MsgBackF3;
extern std::string MsgNextF4;
extern std::string MsgAboutF1;
extern std::string MsgCancel;
extern std::string MsgAboutCaption;
extern std::string MsgConfirmCreateDir;
extern std::string MsgCannotCreateDir;
extern std::string MsgOutputDirHelp;
extern std::string MsgUseLocalOutputDir;
extern std::string MsgLocalDriveRequired;
extern std::string MsgAdditionalSettings;
extern std::string MsgFontHelp;
extern std::string MsgAdditionalSettingsF12;
extern std::string MsgVersionLabel;
extern std::string MsgWebsite;
extern std::string MsgOtherLanguage;
extern std::string MsgLanguageCode;
extern std::string MsgUpF5;
extern std::string MsgDownF6;
extern std::string MsgAdditionalSettingsF9;
extern std::string MsgAdditionalSettingsRequired;
extern std::string MsgAdditionalSettingsFor;
extern std::string MsgSelectCompilerHelp;
extern std::string MsgNetFrameworkHelp;
extern std::string MsgEncodingHelp;
extern std::string MsgSelectCompiler;
extern std::string MsgConfirmRemoveWorkDir;
extern std::string MsgNotAWorkDir;
extern std::string MsgWorkDirAlreadyListed;
extern std::string MsgSelectAccessDat;
extern std::string MsgConfigureFromRepositoryF2;
extern std::string MsgConfigureFromRepository;
extern std::string MsgSelectCertificateF2;
extern std::string MsgReplaceCertificateF2;
extern std::string MsgRepositoryGroup;
extern std::string MsgStudentLogin;
extern std::string MsgSelectCertificate;
// Beyond the inherited set: a settings file that could not be written is said.
extern std::string MsgSettingsWriteError;
extern std::string MsgCannotCopyCertificate;
extern std::string MsgNotACertificate;
extern std::string MsgConfirmRecreateResults;

// Assigns every key the text of the active language (Pick of its two texts).
void FillCatalogue();

// One key with its two texts.
struct CatalogueEntry {
    std::string_view name;
    std::string* value;
    std::string russian;
    std::string english;
};

// Every key, in the order FillCatalogue assigns them.
const std::vector<CatalogueEntry>& CatalogueEntries();

} // namespace qz
