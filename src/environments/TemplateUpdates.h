// The computer-dependent lines of the environments' templates: compiler
// paths of Visual Studio Code, framework and Windows SDK versions and output
// folders of Visual Studio projects, the Dev-C++ installation folder, the
// PyCharm interpreter, and the PascalABC.NET and MPI files outside them.
#pragma once

#include "environments/EnvironmentCatalogue.h"
#include "environments/TemplateFile.h"
#include "platform/Platform.h"

#include <string>

namespace qz {

// Where the .NET, Visual C++, SharpDevelop and Code::Blocks projects build.
struct OutputFolderSetting {
    bool useLocalDir = false;
    std::string localDirName;
};

class TemplateUpdater {
public:
    TemplateUpdater(const Platform& platform, EnvironmentCatalogue& catalogue);

    // At start, after the settings are read: output folders, Dev-C++ folders,
    // Visual Studio Code compilers, the OpenMP library, framework versions,
    // the PascalABC.NET option, in this order.
    void startupRefresh(const OutputFolderSetting& output);

    // Slot 86 or 87: compiler, working folder, PATH and include folders of
    // the Visual Studio Code tasks, launch and properties files.
    void updateVsCodeTemplates(int slot, const std::string& compilerPath);
    void updateOutputFolder(const OutputFolderSetting& output);
    // A .NET slot's projects take its additions when it is a valid version.
    void updateFrameworkVersion(int slot);
    // Makes PascalABC.NET keep the sources of programs that compiled.
    void applyPascalAbcOption();
    // Dev-C++ slots 70 and 84 after Browse chose a new executable.
    void devCppBrowseFollowUp(int slot, const std::string& previousExePath);

    // At close, while the settings are written: the PyCharm projects use the
    // interpreter found for them.
    void writePyCharmInterpreters();
    // At close: the active MPI environment's files (all but the Pascal
    // sources) go to the program directory's MPI folder.
    void copyActiveMpiSources();

private:
    void replaceDevCppFolder(int slot, const std::string& oldText);
    void updateOpenMpLinker();
    void refreshVsCode(int slot, const char* compiler);

    Platform platform_;
    EnvironmentCatalogue& catalogue_;
    TemplateEditor editor_;
};

// The Visual C++ projects of a module directory target the newest Windows
// SDK of the given kit ("10") found under the standard search roots.
void UpdateWindowsSdk(const Platform& platform, const std::string& moduleDirectory,
                      const std::string& kit);

// The PascalABC.NET options file the option is written into.
inline constexpr const char* kPascalAbcOptionsFile = "C:\\PABCWork.NET\\PascalABCNET.ini";

} // namespace qz
