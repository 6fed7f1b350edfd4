// Finding an environment's executable: registry probes first, then fixed
// candidate paths and searches of the usual installation folders, per family.
#pragma once

#include "environments/EnvironmentCatalogue.h"
#include "environments/FileSearch.h"
#include "platform/Platform.h"

#include <string>
#include <string_view>

namespace qz {

// One detection session; its searches remember what they found (FileSearch),
// so detect every environment of a start-up with the same detector.
class ExecutableDetector {
public:
    explicit ExecutableDetector(const Platform& platform)
        : platform_(platform), search_(platform.files) {}

    // Full path of the slot's executable, or empty. Never throws: a failing
    // probe only moves on to the next one.
    std::string DetectExecutable(const EnvironmentCatalogue& catalogue, int slot);

private:
    std::string visualStudio(int slot, int version);
    std::string visualStudioEditions(int version);
    std::string delphi(const EnvironmentEntry& e);
    std::string visualBasic(int slot, const EnvironmentEntry& e);
    std::string lazarus();
    std::string searchUnderRoots(const std::string& folderTail, const std::string& name);
    std::string firstCandidate(const std::vector<std::string>& candidates);
    std::string registryFile(RegistryRoot root, const std::string& key, const std::string& name,
                             const std::string& tail);

    Platform platform_;
    FileSearch search_;
    std::string programFiles_;
};

// "8.1", "9.0" ... "18.0": the version under which Visual Studio registers
// the environment of a slot (13 is skipped, as Visual Studio did).
std::string VisualStudioRegistryVersion(int slot, int versionNumber);

// The executable of a shell open command such as
// C:\lazarus\lazarus.exe "%1": the text before the quoted %1, trimmed, with
// its own quotes removed; empty when there is no quoted %1.
std::string LazarusCommandExecutable(std::string_view command);

} // namespace qz
