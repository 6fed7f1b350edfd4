// Target .NET Framework versions of the Visual Basic .NET, C# and F# projects.
#pragma once

#include "platform/Registry.h"

#include <string>
#include <string_view>

namespace qz {

// "v" + the installed .NET Framework 4 version cut to major.minor ("v4.8");
// "v4.0" when none is recorded.
std::string DefaultFrameworkVersion(const Registry& registry);

// v4.7, v4.8, v4.9, optionally followed by "." and one digit (v4.8.1).
bool IsValidFrameworkVersion(std::string_view version);

} // namespace qz
