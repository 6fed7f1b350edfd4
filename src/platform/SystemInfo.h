// What the program asks of the running system: locale, user, environment,
// well-known folders and its own command line.
#pragma once

#include "platform/CodePages.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qz {

enum class SpecialFolder { Programs, Desktop, AppData };

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // English name of the system default locale's language ("Russian");
    // empty when the query fails.
    virtual std::string localeLanguageName() const = 0;
    // Language id of the system UI language (0x0419 Russian, 0x0409 English US).
    virtual std::uint16_t uiLanguageId() const = 0;
    virtual std::string userName() const = 0;
    virtual std::optional<std::string> environmentVariable(const std::string& name) const = 0;

    virtual std::string systemDirectory() const = 0;
    virtual std::string windowsDirectory() const = 0;
    virtual std::string specialFolder(SpecialFolder folder) const = 0;

    // Code pages of the ANSI and OEM character sets (1251 and 866 on a Russian system).
    virtual unsigned ansiCodePage() const = 0;
    virtual unsigned oemCodePage() const = 0;
    // How this system converts text in its code pages.
    virtual const CodePages& codePages() const = 0;
    CodePage ansiText() const { return {codePages(), ansiCodePage()}; }

    // Full path of the running executable.
    virtual std::string programPath() const = 0;
    // Command-line parameters without the program name.
    virtual std::vector<std::string> commandLine() const = 0;
};

} // namespace qz
