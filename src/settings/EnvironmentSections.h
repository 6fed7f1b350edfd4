// The settings file's per-environment sections belong to the environment
// catalogue; the settings reader and writer hand the open file to it at the
// right point of their sequences.
#pragma once

#include "settings/IniFile.h"

namespace qz {

class EnvironmentSections {
public:
    virtual ~EnvironmentSections() = default;
    // At start: Packages, EXE files and Additions.
    virtual void readSections(const IniFile& ini) = 0;
    // At close: EXE files, Names, Additions, Packages, LangCodes and the
    // Packages, LoadFiles and Languages lists of the Environments section.
    virtual void writeSections(IniFile& ini) = 0;
};

} // namespace qz
