// The catalogue of the 90 environment slots and the order of the environment
// check list. The main window owns one for its lifetime and builds it at
// creation: fill(), then checkModules(), then the settings sections
// (EnvironmentSettings) fill the list.
#pragma once

#include "environments/EnvironmentEntry.h"
#include "environments/SlotRanges.h"
#include "platform/Platform.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

class EnvironmentCatalogue {
public:
    // programDirectory ends with a backslash.
    EnvironmentCatalogue(const Platform& platform, std::string programDirectory);

    // The built-in table, then the environments added by AddQZ.INI; every
    // slot's version text.
    void fill();
    // Decides modulesPresent for every slot (markers and load data file),
    // copies the MPI load files and updates the Windows SDK version of the
    // Visual C++ templates. False when no slot has its modules.
    bool checkModules();

    // Slots are numbered 1 to 90.
    EnvironmentEntry& entry(int slot) { return entries_.at(slot - 1); }
    const EnvironmentEntry& entry(int slot) const { return entries_.at(slot - 1); }

    // Lowest slot whose environment key matches without regard to case, or 0.
    int findSlotByKey(std::string_view key) const;
    // Slot whose display name matches exactly, or 0.
    int findSlotByDisplayName(std::string_view name) const;
    std::string environmentKey(int slot) const { return entry(slot).key(); }
    // The program directory followed by the environment key.
    std::string moduleDirectory(int slot) const;
    const std::string& programDirectory() const { return programDirectory_; }

    // Display names in check-list order; the environment page reorders and
    // removes items here, and the settings are written in this order.
    std::vector<std::string>& checkList() { return checkList_; }
    const std::vector<std::string>& checkList() const { return checkList_; }
    // Lists a present environment: items remembered from the settings come
    // first, in their order; later ones go before the first greater item.
    void appendToList(int slot);
    void mergeIntoList(int slot);
    bool listed(int slot) const;
    // Exactly one present MPI slot stays active: the highest when the count
    // of active ones is not exactly one.
    void applyMpiRule();

    ListCheck listCheck(int slot) const;
    // The remove-modules button is usable while more than one item is listed.
    bool removeModulesEnabled() const { return checkList_.size() > 1; }

private:
    void readAddedEnvironments();
    bool markersPresent(int slot) const;
    bool fileInModules(int slot, const std::string& name) const;
    bool netLibraryPresent(int slot) const;

    Platform platform_;
    std::string programDirectory_;
    std::array<EnvironmentEntry, kSlotCount> entries_;
    std::vector<std::string> checkList_;
};

} // namespace qz
