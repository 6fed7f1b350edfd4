// The per-environment sections of the settings file: which environments are
// listed and in what order, their executables and additional parameters, and
// what the problem book's own programs read about the environments in use.
#pragma once

#include "environments/EnvironmentCatalogue.h"
#include "settings/EnvironmentSections.h"

#include <string_view>

namespace qz {

class EnvironmentSettings : public EnvironmentSections {
public:
    EnvironmentSettings(const Platform& platform, EnvironmentCatalogue& catalogue)
        : platform_(platform), catalogue_(catalogue) {}

    // Builds the check list from Packages (remembered order first, new items
    // merged alphabetically, one active MPI runtime), then takes the
    // executables that still exist and the additional parameters.
    void readSections(const IniFile& ini) override;
    // Writes the listed environments in list order, then the Environments
    // lists; the PyCharm templates take their interpreters at this point.
    void writeSections(IniFile& ini) override;

private:
    Platform platform_;
    EnvironmentCatalogue& catalogue_;
};

// The LangCodes mask of a language name (exact, case-sensitive names).
long LanguageMask(std::string_view language);

} // namespace qz
