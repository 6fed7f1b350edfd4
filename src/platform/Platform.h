// The bundle of ports handed to the logic at construction. There are no
// global services: whoever needs the machine is given this.
#pragma once

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"

namespace qz {

struct Platform {
    FileSystem& files;
    Registry& registry;
    SystemInfo& system;
    Dialogs& dialogs;
    Resources& resources;
    Shell& shell;
};

} // namespace qz
