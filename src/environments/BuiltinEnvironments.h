// The environments the configuration tool knows by itself, by slot.
#pragma once

#include "environments/EnvironmentEntry.h"

#include <span>

namespace qz {

struct BuiltinEnvironment {
    int slot;
    const char* displayName;
    const char* ideCode;
    int versionNumber;
    const char* loadSuffix;
    const char* exeBaseName;
    const char* language;
};

// Every built-in slot in slot order; slots not listed stay empty.
std::span<const BuiltinEnvironment> BuiltinEnvironments();

} // namespace qz
