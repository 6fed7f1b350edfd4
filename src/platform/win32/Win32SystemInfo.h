// SystemInfo port on the Windows APIs.
#pragma once

#include "platform/SystemInfo.h"
#include "platform/win32/Win32CodePages.h"

namespace qz {

class Win32SystemInfo : public SystemInfo {
public:
    std::string localeLanguageName() const override;
    std::uint16_t uiLanguageId() const override;
    std::string userName() const override;
    std::optional<std::string> environmentVariable(const std::string& name) const override;
    std::string systemDirectory() const override;
    std::string windowsDirectory() const override;
    std::string specialFolder(SpecialFolder folder) const override;
    unsigned ansiCodePage() const override;
    unsigned oemCodePage() const override;
    std::optional<FileTime> dosDateTimeToFileTime(std::uint32_t dosDateTime) const override;
    std::optional<std::uint32_t> fileTimeToDosDateTime(FileTime time) const override;
    const CodePages& codePages() const override { return system_; }
    std::string programPath() const override;
    std::vector<std::string> commandLine() const override;

private:
    Win32CodePages system_;
};

} // namespace qz
