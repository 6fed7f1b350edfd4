// SystemInfo port with values set by the test or tool that runs on it.
#pragma once

#include "platform/SystemInfo.h"
#include "platform/host/HostCodePages.h"

#include <map>

namespace qz {

class HostSystemInfo : public SystemInfo {
public:
    std::string languageName = "English";
    std::uint16_t uiLanguage = 0x0409;
    std::string user = "student";
    std::map<std::string, std::string> environment; // names upper-cased
    std::string systemDir = "C:\\Windows\\System32";
    std::string windowsDir = "C:\\Windows";
    std::map<SpecialFolder, std::string> specialFolders;
    unsigned ansi = 1252;
    unsigned oem = 437;
    std::string program = "C:\\QZ4\\QZ4Setup.exe";
    std::vector<std::string> arguments;

    std::string localeLanguageName() const override { return languageName; }
    std::uint16_t uiLanguageId() const override { return uiLanguage; }
    std::string userName() const override { return user; }
    std::optional<std::string> environmentVariable(const std::string& name) const override;
    std::string systemDirectory() const override { return systemDir; }
    std::string windowsDirectory() const override { return windowsDir; }
    std::string specialFolder(SpecialFolder folder) const override;
    unsigned ansiCodePage() const override { return ansi; }
    unsigned oemCodePage() const override { return oem; }
    // By the C library's local time (the TZ variable).
    std::optional<FileTime> dosDateTimeToFileTime(std::uint32_t dosDateTime) const override;
    std::optional<std::uint32_t> fileTimeToDosDateTime(FileTime time) const override;
    const CodePages& codePages() const override { return tables_; }
    std::string programPath() const override { return program; }
    std::vector<std::string> commandLine() const override { return arguments; }

private:
    HostCodePages tables_;
};

} // namespace qz
