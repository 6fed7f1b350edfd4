#include "environments/ExecutableDetection.h"

#include "environments/Guarded.h"
#include "environments/PathParts.h"
#include "environments/ProgramFiles.h"
#include "environments/PythonInterpreter.h"
#include "text/Text.h"

namespace qz {
namespace {

constexpr RegistryRoot HKLM = RegistryRoot::LocalMachine;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;
constexpr RegistryRoot HKCR = RegistryRoot::ClassesRoot;

} // namespace

std::string VisualStudioRegistryVersion(int slot, int versionNumber) {
    if (InRange(slot, 12, 15))
        return std::to_string(versionNumber - 6 + 7) + (versionNumber - 6 == 1 ? ".1" : ".0");
    return std::to_string(versionNumber < 7 ? versionNumber + 6 : versionNumber + 7) + ".0";
}

std::string LazarusCommandExecutable(std::string_view command) {
    std::size_t argument = command.find("\"%1");
    if (argument == std::string_view::npos)
        return {};
    std::string exe = text::trim(command.substr(0, argument));
    // "C:\lazarus\lazarus.exe" "%1" names the program in quotes as well.
    if (exe.size() >= 2 && exe.front() == '"' && exe.back() == '"')
        exe = exe.substr(1, exe.size() - 2);
    return exe;
}

std::string ExecutableDetector::registryFile(RegistryRoot root, const std::string& key,
                                             const std::string& name, const std::string& tail) {
    return Guarded([&]() -> std::string {
        if (!platform_.registry.keyExists(root, key))
            return {};
        std::optional<std::string> value = platform_.registry.readString(root, key, name);
        if (!value)
            return {};
        std::string path = *value + tail;
        return platform_.files.fileExists(path) ? path : std::string();
    });
}

std::string ExecutableDetector::firstCandidate(const std::vector<std::string>& candidates) {
    for (const std::string& path : candidates) {
        std::string found =
            Guarded([&] { return IsOnFixedDrive(platform_.files, path) ? path : std::string(); });
        if (!found.empty())
            return found;
    }
    return {};
}

std::string ExecutableDetector::searchUnderRoots(const std::string& folderTail,
                                                 const std::string& name) {
    for (const std::string& root : StandardSearchRoots(programFiles_)) {
        std::string found =
            Guarded([&] { return search_.FindFileRecursive(root + folderTail, name); });
        if (!found.empty())
            return found;
    }
    return {};
}

std::string ExecutableDetector::DetectExecutable(const EnvironmentCatalogue& catalogue, int slot) {
    const EnvironmentEntry& e = catalogue.entry(slot);
    programFiles_ =
        Guarded([&] { return ProgramFilesDirectory(platform_.registry, platform_.files); });
    auto withRoots = [&](const std::vector<std::string>& roots, const std::string& tail) {
        std::vector<std::string> out;
        for (const std::string& root : roots)
            out.push_back(root + tail);
        return out;
    };
    std::vector<std::string> standard = StandardSearchRoots(programFiles_);
    std::vector<std::string> programFilesRoots = ProgramFilesRoots(programFiles_);
    std::string found;

    if (IsVisualStudioSlot(slot))
        return visualStudio(slot, e.versionNumber);
    if (slot == kPascalAbcSlot) {
        const std::string key = "\\SOFTWARE\\PascalABC.NET";
        found = registryFile(HKCU, key, "Install Directory", "\\PascalABCNET.exe");
        return found.empty() ? registryFile(HKLM, key, "Install Directory", "\\PascalABCNET.exe")
                             : found;
    }
    if (InRange(slot, 3, 9))
        return delphi(e);
    if (slot == 10 || slot == 11)
        return visualBasic(slot, e);
    if (slot == 25 || slot == 85) {
        found = registryFile(HKCU, "\\SOFTWARE\\CodeBlocks", "Path", "\\codeblocks.exe");
        return found.empty() ? firstCandidate(withRoots(standard, "\\CodeBlocks\\codeblocks.exe"))
                             : found;
    }
    if (slot == 26) {
        for (RegistryRoot root : {HKCU, HKLM})
            if (found.empty())
                found = registryFile(root, "Environment", "MSDevDir", "\\Bin\\MSDev.exe");
        return found.empty() ? firstCandidate(withRoots(
                                   programFilesRoots,
                                   "\\Microsoft Visual Studio\\Common\\MSDev98\\Bin\\MSDev.exe"))
                             : found;
    }
    if (slot == 45) {
        found = lazarus();
        return found.empty() ? firstCandidate(withRoots(standard, "\\lazarus\\lazarus.exe"))
                             : found;
    }
    if (slot == 46) {
        found = Guarded([&]() -> std::string {
            std::string folder = FolderPart(
                platform_.registry.readString(HKLM, "\\SOFTWARE\\MPICH\\MPD", "Path").value_or(""));
            if (folder.empty() || !platform_.files.fileExists(folder + "MPIRun.exe"))
                return {};
            return folder + "MPIRun.exe";
        });
        return found.empty()
                   ? firstCandidate(withRoots(programFilesRoots, "\\MPICH\\mpd\\bin\\MPIRun.exe"))
                   : found;
    }
    if (slot == 47) {
        found = registryFile(HKLM, "\\SOFTWARE\\MPICH2", "Path", "bin\\mpiexec.exe");
        return found.empty()
                   ? firstCandidate(withRoots(programFilesRoots, "\\MPICH2\\bin\\mpiexec.exe"))
                   : found;
    }
    if (slot == 48) {
        found = registryFile(HKLM, "\\SOFTWARE\\Microsoft\\MPI", "InstallRoot", "bin\\mpiexec.exe");
        return found.empty() ? firstCandidate(withRoots(programFilesRoots,
                                                        "\\Microsoft MPI\\bin\\mpiexec.exe"))
                             : found;
    }
    if (slot == 49 || slot == 50)
        return Guarded([&] {
            return FindPythonInterpreter(platform_.registry, platform_.files, e.versionText);
        });
    if (slot == 51 || slot == 52 || slot == 73) {
        const char* names[2][2] = {{"pycharm.exe", "pycharm64.exe"},
                                   {"rubymine64.exe", "rubymine.exe"}};
        const char* const* pair = names[slot == 73 ? 1 : 0];
        for (const std::string& root : standard)
            for (int i = 0; i < 2; ++i) {
                found = Guarded(
                    [&] { return search_.FindFileRecursive(root + "\\JetBrains", pair[i]); });
                if (!found.empty())
                    return found;
            }
        return {};
    }
    if (slot == kEclipseSlot) {
        std::string profile = FolderOf(ProfileBaseFolder(platform_.system));
        found = Guarded([&] {
            std::string hit = search_.FindFileRecursive(profile + "\\eclipse", "eclipse.exe");
            return IsOnFixedDrive(platform_.files, hit) ? hit : std::string();
        });
        return found.empty() ? firstCandidate(withRoots(standard, "\\eclipse\\eclipse.exe"))
                             : found;
    }
    if (slot == 61 || slot == 62) {
        bool personal = slot == 62;
        std::string key = std::string("\\SOFTWARE\\ARCHAEOPTERYX\\") +
                          (personal ? "WINGIDEPERSONAL" : "WINGIDE101") + "\\6.0\\INSTALL";
        std::string bin = personal ? "Wing IDE Personal 6.0\\bin" : "Wing IDE 101 6.0\\bin";
        std::string exe = personal ? "wing-personal.exe" : "wing-101.exe";
        found = Guarded([&]() -> std::string {
            std::string home = platform_.registry.readString(HKLM, key, "WINGHOME").value_or("");
            std::string path = FolderPart(home) + bin + "\\" + exe;
            return !home.empty() && platform_.files.fileExists(path) ? path : std::string();
        });
        return found.empty() ? searchUnderRoots("\\" + bin, exe) : found;
    }
    if (slot == kDevCppSlot || slot == kDevCSlot) {
        std::vector<std::string> candidates =
            withRoots(standard, "\\Embarcadero\\Dev-Cpp\\devcpp.exe");
        for (std::string& path : withRoots(standard, "\\Dev-Cpp\\devcpp.exe"))
            candidates.push_back(std::move(path));
        found = firstCandidate(candidates);
        return found.empty()
                   ? registryFile(HKLM,
                                  "\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\"
                                  "Uninstall\\Dev-C++",
                                  "DisplayIcon", "")
                   : found;
    }
    if (slot == 71 || slot == 72) {
        std::vector<std::string> roots = {"c:\\SharpDevelop\\",
                                          "d:\\SharpDevelop\\",
                                          programFiles_ + "\\SharpDevelop\\",
                                          "c:\\Program files (x86)\\SharpDevelop\\",
                                          "c:\\Program files\\SharpDevelop\\",
                                          "d:\\Program files (x86)\\SharpDevelop\\",
                                          "d:\\Program files\\SharpDevelop\\"};
        return firstCandidate(withRoots(roots, e.versionText + ".1\\bin\\SharpDevelop.exe"));
    }
    if (slot == 74 || InRange(slot, 76, 78) || slot == 80 || slot == 83 || slot == kVsCodeCSlot ||
        slot == kVsCodeCppSlot) {
        return firstCandidate({programFiles_ + "\\Microsoft VS Code\\code.exe",
                               "c:\\Program files\\Microsoft VS Code\\code.exe",
                               "d:\\Program files\\Microsoft VS Code\\code.exe",
                               ProfileBaseFolder(platform_.system) +
                                   "\\Local\\Programs\\Microsoft VS Code\\code.exe"});
    }
    if (slot == 75) {
        std::vector<std::string> roots = {programFiles_,
                                          "c:\\Program files (x86)",
                                          "c:\\Program files",
                                          "d:\\Program files (x86)",
                                          "d:\\Program files",
                                          "c:",
                                          "d:"};
        std::vector<std::string> candidates;
        for (const char* tail : {"\\1cv81t\\bin\\1cv8t.exe", "\\1cv82t\\bin\\1cv8t.exe",
                                 "\\1cv81\\bin\\1cv8.exe", "\\1cv82\\bin\\1cv8.exe"})
            for (const std::string& root : roots)
                candidates.push_back(root + tail);
        return firstCandidate(candidates);
    }
    if (slot == 88)
        return searchUnderRoots("\\RStudio", "rstudio.exe");
    return {};
}

std::string ExecutableDetector::visualStudio(int slot, int version) {
    const std::string registryVersion = VisualStudioRegistryVersion(slot, version);
    const std::string base = "\\SOFTWARE\\Microsoft\\VisualStudio\\" + registryVersion;
    std::string found = registryFile(HKLM, base + "\\Setup\\VS", "EnvironmentPath", "");
    if (found.empty())
        found = registryFile(HKCU, base + "_Config\\Setup\\VS", "EnvironmentPath", "");
    if (found.empty()) {
        std::string key =
            InRange(slot, 13, 24)   ? "\\SOFTWARE\\Microsoft\\VBExpress\\" + registryVersion
            : IsCSharpNetSlot(slot) ? "\\SOFTWARE\\Microsoft\\VCSExpress\\" + registryVersion
                                    : base + "_Config\\Setup\\VS";
        found = Guarded([&]() -> std::string {
            const Registry& reg = platform_.registry;
            if (!reg.keyExists(HKCU, key))
                return {};
            auto dir = reg.readString(HKCU, key, "InstallDir");
            auto id = reg.readString(HKCU, key, "ApplicationID");
            if (!dir || !id)
                return {};
            std::string path = *dir + *id + ".exe";
            return platform_.files.fileExists(path) ? path : std::string();
        });
    }
    if (found.empty() && !InRange(slot, 12, 15) && version >= 8 && version <= 11)
        found = visualStudioEditions(version);
    return found;
}

std::string ExecutableDetector::visualStudioEditions(int version) {
    std::vector<std::string> years;
    switch (version) {
    case 8:
        years = {"2017"};
        break;
    case 9:
        years = {"2019"};
        break;
    case 10:
        years = {"2022"};
        break;
    default:
        years = {"2026", "18"};
        break;
    }
    for (const std::string& root : StandardSearchRoots(programFiles_))
        for (const char* edition : {"Enterprise", "Professional", "Community"})
            for (const std::string& year : years) {
                std::string folder =
                    root + "\\Microsoft Visual Studio\\" + year + "\\" + edition + "\\Common7\\IDE";
                std::string found =
                    Guarded([&] { return search_.FindFileRecursive(folder, "devenv.exe"); });
                if (!found.empty())
                    return found;
            }
    return {};
}

std::string ExecutableDetector::delphi(const EnvironmentEntry& e) {
    int v = e.versionNumber;
    std::string key = v > 7 ? "\\SOFTWARE\\Borland\\BDS\\" + std::to_string(v - 6) + ".0"
                            : "\\SOFTWARE\\Borland\\Delphi\\" + e.versionText + ".0";
    return registryFile(HKLM, key, v >= 5 ? "App" : "Delphi " + e.versionText, "");
}

std::string ExecutableDetector::visualBasic(int slot, const EnvironmentEntry& e) {
    const std::string& v = e.versionText;
    std::string found = slot == 10
                            ? registryFile(HKLM, "\\SOFTWARE\\Microsoft\\Visual Basic\\" + v + ".0",
                                           "InstallDir", "\\VB" + v + ".exe")
                            : registryFile(HKLM,
                                           "\\SOFTWARE\\Microsoft\\Visual Studio\\" + v +
                                               ".0\\Setup\\Microsoft Visual Basic",
                                           "ProductDir", "\\VB" + v + ".exe");
    if (!found.empty())
        return found;
    const std::string n = "vb" + v;
    std::vector<std::string> candidates = {programFiles_ + "\\" + n + "\\" + n + ".exe"};
    for (const char* drive : {"C:\\", "D:\\"}) {
        std::vector<std::string> prefixes = {drive, std::string(drive) + "Program files (x86)\\",
                                             std::string(drive) + "Program files\\"};
        for (const std::string& prefix : prefixes)
            candidates.push_back(prefix + n + "\\" + n + ".exe");
        for (const std::string& prefix : prefixes)
            candidates.push_back(prefix + n + "cce\\" + n + "cce.exe");
    }
    return firstCandidate(candidates);
}

std::string ExecutableDetector::lazarus() {
    for (const char* type : {"LazarusForm", "LazarusForm", "LazarusPackage", "LazarusProject",
                             "LazarusProjectSource", "LazarusUnit"}) {
        std::string found = Guarded([&]() -> std::string {
            std::string key = std::string("\\") + type + "\\shell\\open\\command";
            if (!platform_.registry.keyExists(HKCR, key))
                return {};
            std::string exe =
                LazarusCommandExecutable(platform_.registry.readString(HKCR, key, "").value_or(""));
            return !exe.empty() && platform_.files.fileExists(exe) ? exe : std::string();
        });
        if (!found.empty())
            return found;
    }
    return {};
}

} // namespace qz
