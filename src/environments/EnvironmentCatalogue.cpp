#include "environments/EnvironmentCatalogue.h"

#include "environments/BuiltinEnvironments.h"
#include "environments/TemplateUpdates.h"
#include "settings/IniFile.h"
#include "text/Text.h"

#include <algorithm>

namespace qz {

EnvironmentCatalogue::EnvironmentCatalogue(const Platform& platform, std::string programDirectory)
    : platform_(platform), programDirectory_(std::move(programDirectory)) {}

void EnvironmentCatalogue::fill() {
    entries_ = {};
    checkList_.clear();
    for (const BuiltinEnvironment& b : BuiltinEnvironments()) {
        EnvironmentEntry& e = entry(b.slot);
        e.displayName = b.displayName;
        e.ideCode = b.ideCode;
        e.versionNumber = b.versionNumber;
        e.loadSuffix = b.loadSuffix;
        e.exeBaseName = b.exeBaseName;
        e.language = b.language;
    }
    readAddedEnvironments();
    for (EnvironmentEntry& e : entries_)
        e.versionText = std::to_string(e.versionNumber);
}

void EnvironmentCatalogue::readAddedEnvironments() {
    std::string path = programDirectory_ + "AddQZ.INI";
    if (!platform_.files.fileExists(path))
        return;
    IniFile ini(platform_.files, path, platform_.system.ansiText());
    for (int n = 1; kFirstAddedSlot + n - 1 <= kLastAddedSlot; ++n) {
        std::string section = "Add" + std::to_string(n);
        std::string code = ini.readString(section, "Env", "");
        if (code.empty())
            return;
        EnvironmentEntry& e = entry(kFirstAddedSlot + n - 1);
        e.ideCode = code;
        e.displayName = text::trim(ini.readString(section, "FullName", "?"));
        std::string exe = text::trim(ini.readString(section, "ExeFile", "*"));
        e.exeBaseName = exe.empty() ? std::string("*") : exe;
        e.loadSuffix = text::trim(ini.readString(section, "LoadFile", ""));
        e.versionNumber = static_cast<std::int32_t>(ini.readInteger(section, "Ver", 1));
        e.language = text::trim(ini.readString(section, "Lang", "?"));
    }
}

bool EnvironmentCatalogue::fileInModules(int slot, const std::string& name) const {
    return platform_.files.fileExists(moduleDirectory(slot) + "\\" + name);
}

bool EnvironmentCatalogue::netLibraryPresent(int slot) const {
    return fileInModules(slot, "qz4net.dll") ||
           platform_.files.fileExists(programDirectory_ + "qz4net.dll");
}

bool EnvironmentCatalogue::markersPresent(int slot) const {
    auto has = [&](const char* name) { return fileInModules(slot, name); };
    if (slot == 1 || slot == 80)
        return has("qz4.pas");
    if (InRange(slot, 3, 9) || slot == 45)
        return has("qz4tasks.pas");
    if (slot == 10 || slot == 11)
        return has("qz4.bas");
    if (InRange(slot, 12, 24))
        return netLibraryPresent(slot);
    if (InRange(slot, 25, 35) || slot == 70 || slot == 87)
        return has("qz4.cpp");
    if (InRange(slot, 36, 44) || slot == 71)
        return has("qz4main.cs") && netLibraryPresent(slot);
    if (InRange(slot, 63, 69) || slot == 72)
        return has("qz4main.fs") && netLibraryPresent(slot);
    if (IsMpiSlot(slot) || InRange(slot, kFirstAddedSlot, kLastAddedSlot))
        return entry(slot).occupied();
    if (InRange(slot, 49, 52) || slot == 61 || slot == 62 || slot == 77)
        return has("qz4.py");
    if (slot == 58 || slot == 76)
        return has("QZ.java");
    if (slot == 73 || slot == 78)
        return has("QZ.rb");
    if (slot == 74)
        return has("qz4core.cs");
    if (slot == 75)
        return has("qz4_1c.dll") && has("source.1c") && has("1Cv8.1CD");
    if (slot == 83)
        return has("QZ.jl");
    if (InRange(slot, 84, 86))
        return has("qz4.c");
    if (slot == 88)
        return has("QZ4.R");
    return false;
}

bool EnvironmentCatalogue::checkModules() {
    // The Windows SDK kit each Visual C++ version builds with.
    static const struct {
        const char* key;
        const char* kit;
    } sdkKits[] = {{"VCNET8", "10"}, {"VCNET9", "11"}, {"VCNET10", "12"}, {"VCNET11", "13"}};

    bool any = false;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EnvironmentEntry& e = entry(slot);
        e.modulesPresent = false;
        e.connectedOk = false;
        if (!e.occupied())
            continue;
        for (const auto& sdk : sdkKits)
            if (e.key() == sdk.key)
                UpdateWindowsSdk(platform_, moduleDirectory(slot), sdk.kit);
        if (!markersPresent(slot))
            continue;
        std::string folder = moduleDirectory(slot) + "\\";
        if (!platform_.files.fileExists(folder + "load" + e.loadSuffix + ".dat"))
            continue;
        e.modulesPresent = true;
        any = true;
        std::string mpiLoad = folder + "MPIload" + e.loadSuffix + ".dat";
        if (platform_.files.fileExists(mpiLoad + "2"))
            platform_.files.copyFile(mpiLoad + "2", mpiLoad, false);
    }
    return any;
}

int EnvironmentCatalogue::findSlotByKey(std::string_view key) const {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (entry(slot).occupied() && text::equalsIgnoreCase(entry(slot).key(), key))
            return slot;
    return 0;
}

int EnvironmentCatalogue::findSlotByDisplayName(std::string_view name) const {
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (entry(slot).occupied() && entry(slot).displayName == name)
            return slot;
    return 0;
}

std::string EnvironmentCatalogue::moduleDirectory(int slot) const {
    return programDirectory_ + environmentKey(slot);
}

bool EnvironmentCatalogue::listed(int slot) const {
    return std::find(checkList_.begin(), checkList_.end(), entry(slot).displayName) !=
           checkList_.end();
}

void EnvironmentCatalogue::appendToList(int slot) {
    checkList_.push_back(entry(slot).displayName);
}

void EnvironmentCatalogue::mergeIntoList(int slot) {
    const std::string& name = entry(slot).displayName;
    auto greater = std::find_if(checkList_.begin(), checkList_.end(),
                                [&](const std::string& item) { return item > name; });
    checkList_.insert(greater, name);
}

void EnvironmentCatalogue::applyMpiRule() {
    int active = 0;
    for (int slot = 46; slot <= 48; ++slot)
        if (entry(slot).modulesPresent && !entry(slot).suspended)
            ++active;
    if (active == 1)
        return;
    bool chosen = false;
    for (int slot = 48; slot >= 46; --slot) {
        EnvironmentEntry& e = entry(slot);
        if (!e.modulesPresent)
            continue;
        e.suspended = chosen;
        chosen = true;
    }
}

ListCheck EnvironmentCatalogue::listCheck(int slot) const {
    const EnvironmentEntry& e = entry(slot);
    if (!e.modulesPresent || !e.connectedOk)
        return ListCheck::Unchecked;
    return e.suspended ? ListCheck::Grayed : ListCheck::Checked;
}

} // namespace qz
