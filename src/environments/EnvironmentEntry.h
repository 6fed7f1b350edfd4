// One slot of the environment catalogue: a programming environment the
// problem book ships modules for, and what this computer knows about it.
#pragma once

#include <cstdint>
#include <string>

namespace qz {

struct EnvironmentEntry {
    std::string displayName; // unique; the check list maps items back by it
    std::string ideCode;     // family code: "DELPHI", "VCNET", ...
    std::string versionText; // decimal text of versionNumber
    std::string loadSuffix;  // load data file is "load" + suffix + ".dat"
    std::int32_t versionNumber = 0;
    bool modulesPresent = false;
    bool connectedOk = false; // the last status check ended normally
    bool suspended = false;   // temporarily disconnected by the user
    std::string exePath;
    std::string exeBaseName;     // expected executable name without ".exe"; "*" takes any
    std::string language;        // "Pascal", "CPP", "Python-3", ...; empty for MPI
    std::string interpreterName; // PyCharm and Wing only: the Python interpreter in use
    std::string additions;       // framework version, compiler path, ...

    // The name under which the environment is stored and its modules lie.
    std::string key() const { return ideCode + versionText; }
    bool occupied() const { return !ideCode.empty(); }
};

// How the environment's item shows in the check list.
enum class ListCheck { Unchecked, Checked, Grayed };

} // namespace qz
