#include "installer/UninstallEntry.h"

#include "text/Text.h"

namespace qz {
namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// True when the entry's command names this record, whatever the letter case.
bool namesRecord(const Registry& registry, RegistryRoot root, const std::string& recordPath) {
    auto command = registry.readString(root, UninstallKey(), "UninstallString");
    return command &&
           text::upper(*command).find(text::upper(quoted(recordPath))) != std::string::npos;
}

} // namespace

std::string UninstallKey() {
    return std::string(UninstallKeyParent) + "\\" + UninstallKeyName;
}

std::string UninstallCommand(const UninstallEntry& entry) {
    return quoted(entry.uninstallerPath) + " " + quoted(entry.recordPath);
}

std::string QuietUninstallCommand(const UninstallEntry& entry) {
    return quoted(entry.uninstallerPath) + " /S " + quoted(entry.recordPath);
}

std::optional<RegistryRoot> WriteUninstallEntry(Registry& registry, const UninstallEntry& entry) {
    const std::pair<const char*, std::string> values[] = {
        {"DisplayName", entry.displayName},
        {"DisplayVersion", entry.displayVersion},
        {"Publisher", entry.publisher},
        {"InstallLocation", entry.installLocation},
        {"UninstallString", UninstallCommand(entry)},
        {"QuietUninstallString", QuietUninstallCommand(entry)},
    };
    for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
        bool written = registry.createKey(root, UninstallKey());
        for (const auto& [name, value] : values)
            written = written && registry.writeString(root, UninstallKey(), name, value);
        if (written)
            return root;
        // A key left half-written would show a broken entry in the list.
        registry.deleteKey(root, UninstallKey());
    }
    return std::nullopt;
}

bool RemoveUninstallEntry(Registry& registry, const std::string& recordPath) {
    bool removed = true;
    for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser})
        if (namesRecord(registry, root, recordPath))
            removed = registry.deleteKey(root, UninstallKey()) && removed;
    return removed;
}

} // namespace qz
