#include "environments/PythonInterpreter.h"

#include "environments/Guarded.h"
#include "environments/PathParts.h"
#include "environments/ProgramFiles.h"
#include "environments/TemplateFile.h"

namespace qz {
namespace {

// The registered InstallPath D counts when D has pythonw.exe and IDLE.
std::string registeredInterpreter(const Registry& registry, const FileSystem& files,
                                  RegistryRoot root, const std::string& key) {
    std::string folder = registry.readString(root, key, "").value_or("");
    std::string exe = folder + "pythonw.exe";
    if (files.fileExists(exe) && files.fileExists(folder + "Lib\\idlelib\\idle.pyw"))
        return exe;
    return {};
}

} // namespace

std::string FindPythonInterpreter(const Registry& registry, const FileSystem& files,
                                  const std::string& major) {
    const std::string core = "\\SOFTWARE\\Python\\PythonCore\\";
    const struct {
        RegistryRoot root;
        const char* suffix;
    } probes[] = {{RegistryRoot::CurrentUser, "-32"},
                  {RegistryRoot::LocalMachine, "-32"},
                  {RegistryRoot::LocalMachine, ""}};
    for (int minor = 12; minor >= 1; --minor) {
        std::string result;
        for (const auto& probe : probes) {
            std::string key =
                core + major + "." + std::to_string(minor) + probe.suffix + "\\InstallPath";
            // A later registration replaces an earlier one, found or not.
            Guarded([&] {
                if (registry.keyExists(probe.root, key))
                    result = registeredInterpreter(registry, files, probe.root, key);
            });
        }
        if (!result.empty())
            return result;
    }
    for (const std::string& root : StandardSearchRoots(ProgramFilesDirectory(registry, files))) {
        for (int minor = 12; minor >= 1; --minor) {
            std::string folder = root + "\\Python" + major + std::to_string(minor);
            if (IsOnFixedDrive(files, folder + "\\pythonw.exe") &&
                IsOnFixedDrive(files, folder + "\\Lib\\idlelib\\idle.pyw"))
                return folder + "\\pythonw.exe";
        }
    }
    return {};
}

std::string DescribePythonInterpreter(const Registry& registry, FileSystem& files,
                                      const EnvironmentCatalogue& catalogue, int slot) {
    // An unknown interpreter has no folder: its header is not looked for at the drive's root.
    auto hasHeader = [&](const std::string& folder) {
        return !folder.empty() && files.fileExists(folder + "\\include\\patchlevel.h");
    };
    int idleSlot = (slot == 51 || slot == 52) ? slot - 2 : 50;
    std::string folder = FolderOf(catalogue.entry(idleSlot).exePath);
    if (!hasHeader(folder))
        folder =
            FolderOf(FindPythonInterpreter(registry, files, catalogue.entry(slot).versionText));
    if (!hasHeader(folder))
        return {};
    std::string header = folder + "\\include\\patchlevel.h";
    for (const std::string& line : ReadLines(files, header)) {
        if (line.compare(0, 18, "#define PY_VERSION") != 0)
            continue;
        std::size_t open = line.find('"');
        std::size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (close == std::string::npos)
            continue; // PY_VERSION_HEX
        return "Python " + line.substr(open + 1, close - open - 1) + " (" + folder +
               "\\python.exe)";
    }
    return {};
}

} // namespace qz
