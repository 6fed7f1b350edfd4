// What the program asks of the running system: locale, user, environment,
// well-known folders and its own command line.
#pragma once

#include "platform/CodePages.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qz {

// The Common ones are the folders every user of the computer sees.
enum class SpecialFolder { Programs, Desktop, AppData, CommonPrograms, CommonDesktop };

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

    // The system folder of 32-bit programs (SysWOW64 on 64-bit Windows).
    virtual std::string systemDirectory() const = 0;
    virtual std::string windowsDirectory() const = 0;
    virtual std::string specialFolder(SpecialFolder folder) const = 0;

    // Code pages of the ANSI and OEM character sets (1251 and 866 on a Russian system).
    virtual unsigned ansiCodePage() const = 0;
    virtual unsigned oemCodePage() const = 0;
    // How this system converts text in its code pages.
    virtual const CodePages& codePages() const = 0;
    CodePage ansiText() const { return {codePages(), ansiCodePage()}; }

    // DOS dates and times (DosDateTime.h) are local times: these convert
    // them by the system's time zone. Nothing when the value names no real
    // moment (31 February, 24:00) or the moment has no DOS form (before
    // 1980, after 2107).
    virtual std::optional<FileTime> dosDateTimeToFileTime(std::uint32_t dosDateTime) const = 0;
    virtual std::optional<std::uint32_t> fileTimeToDosDateTime(FileTime time) const = 0;

    // Full path of the running executable.
    virtual std::string programPath() const = 0;
    // Command-line parameters without the program name.
    virtual std::vector<std::string> commandLine() const = 0;
};

} // namespace qz
