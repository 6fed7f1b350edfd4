#include "environments/EnvironmentSettings.h"

#include "environments/DotNetFramework.h"
#include "environments/TemplateUpdates.h"

#include <optional>

namespace qz {

long LanguageMask(std::string_view language) {
    static const struct {
        const char* name;
        long mask;
    } masks[] = {{"Pascal", 0},     {"VB", 2},          {"CPP", 8},      {"CS", 64},
                 {"VB.NET", 256},   {"PascalABC", 512}, {"1C", 16384},   {"Python-2", 4456448},
                 {"Java", 1048576}, {"Ruby", 2097152},  {"FS", 8388608}, {"Julia", 33554432},
                 {"C", 67108864},   {"R", 134217728}};
    for (const auto& m : masks)
        if (language == m.name)
            return m.mask;
    // Python-2 is matched above, before every other Python.
    return language.starts_with("Python") ? 262144 : 0;
}

void EnvironmentSettings::readSections(const IniFile& ini) {
    auto suspendedBySettings = [&](int slot) {
        return ini.readInteger("Packages", catalogue_.environmentKey(slot), 0) == 2;
    };
    catalogue_.checkList().clear();
    for (const std::string& key : ini.sectionKeys("Packages")) {
        int slot = catalogue_.findSlotByKey(key);
        // A key written twice lists its environment once.
        if (slot == 0 || !catalogue_.entry(slot).modulesPresent || catalogue_.listed(slot))
            continue;
        catalogue_.appendToList(slot);
        catalogue_.entry(slot).suspended = suspendedBySettings(slot);
    }
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!catalogue_.entry(slot).modulesPresent || catalogue_.listed(slot))
            continue;
        catalogue_.mergeIntoList(slot);
        catalogue_.entry(slot).suspended = suspendedBySettings(slot);
    }
    catalogue_.applyMpiRule();

    std::optional<std::string> defaultFramework;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EnvironmentEntry& e = catalogue_.entry(slot);
        if (!e.occupied())
            continue;
        e.exePath = ini.readString("EXE files", e.key(), "");
        if (!e.exePath.empty() && !platform_.files.fileExists(e.exePath))
            e.exePath.clear();
        e.additions = ini.readString("Additions", e.key(), "");
        if (e.additions.empty() && IsDotNetSlot(slot)) {
            if (!defaultFramework)
                defaultFramework = DefaultFrameworkVersion(platform_.registry);
            e.additions = *defaultFramework;
        }
    }
}

void EnvironmentSettings::writeSections(IniFile& ini) {
    std::string packages, loadFiles, languages;
    ini.eraseSection("Packages");
    for (const std::string& item : catalogue_.checkList()) {
        int slot = catalogue_.findSlotByDisplayName(item);
        if (slot == 0)
            continue;
        const EnvironmentEntry& e = catalogue_.entry(slot);
        std::string key = e.key();
        if (!e.exePath.empty()) {
            ini.writeString("EXE files", key, e.exePath);
            ini.writeString("Names", key, e.displayName);
        }
        if (!e.additions.empty())
            ini.writeString("Additions", key, e.additions);
        if (!e.modulesPresent)
            continue;
        int state = !e.connectedOk ? 0 : e.suspended ? 2 : 1;
        ini.writeInteger("Packages", key, state);
        if (state != 1 || IsMpiSlot(slot))
            continue;
        packages += key + "|";
        loadFiles += e.loadSuffix + "|";
        // A plain substring test, so C counts as written once 1C is.
        if (languages.find(e.language + "|") == std::string::npos)
            ini.writeInteger("LangCodes", e.language, LanguageMask(e.language));
        languages += e.language + "|";
    }
    ini.writeString("Environments", "Packages", packages);
    ini.writeString("Environments", "LoadFiles", loadFiles);
    ini.writeString("Environments", "Languages", languages);
    TemplateUpdater(platform_, catalogue_).writePyCharmInterpreters();
}

} // namespace qz
