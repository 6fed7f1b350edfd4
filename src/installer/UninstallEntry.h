// The installation's entry in the system's list of installed programs: what
// the list shows, the command that removes the installation and its quiet
// variant. The installer writes it, the uninstaller removes it.
#pragma once

#include "platform/Registry.h"

#include <optional>
#include <string>

namespace qz {

inline constexpr char UninstallKeyParent[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char UninstallKeyName[] = "Quazzle 4";
std::string UninstallKey();

struct UninstallEntry {
    std::string displayName;
    std::string displayVersion;
    std::string publisher;
    std::string installLocation;
    std::string uninstallerPath; // sysunima.exe in the system folder
    std::string recordPath;      // <installLocation>\UNINST\qz4.log
};

// The commands the list starts: the uninstaller with the record, and with /S
// before it for a removal without questions.
std::string UninstallCommand(const UninstallEntry& entry);
std::string QuietUninstallCommand(const UninstallEntry& entry);

// Writes the entry for all users (HKLM); without the rights for that, for
// the user alone (HKCU). The root written, or nothing when neither could be.
std::optional<RegistryRoot> WriteUninstallEntry(Registry& registry, const UninstallEntry& entry);

// Removes the entry that starts the uninstaller with this record, from
// either root; an entry of another installation (another folder) stays.
// False when an entry of this record is still there.
bool RemoveUninstallEntry(Registry& registry, const std::string& recordPath);

} // namespace qz
