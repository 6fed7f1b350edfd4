// The shell link (.lnk) file format, as far as shortcuts to local files need
// it: the header, a link-info block with the target's local path, and the
// working folder, arguments and icon as UTF-16 strings. Files written here
// are ordinary shortcuts that Windows resolves; files Windows wrote are read
// as long as they carry a link-info block with a local path.
#pragma once

#include "platform/Shell.h"

#include <optional>
#include <string>
#include <string_view>

namespace qz {

std::string encodeShellLink(const ShellLink& link);
// Nothing when the bytes are not a shell link or are cut short.
std::optional<ShellLink> decodeShellLink(std::string_view bytes);

} // namespace qz
