#include "platform/win32/Win32Resources.h"

#include "platform/win32/WideString.h"

#include <windows.h>

namespace qz {

std::optional<std::span<const std::uint8_t>> Win32Resources::find(const std::string& type,
                                                                  const std::string& name) const {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(self, win32::wide(name).c_str(), win32::wide(type).c_str());
    if (!info)
        return std::nullopt;
    HGLOBAL loaded = LoadResource(self, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return std::nullopt;
    // Resources of the running module stay mapped for the life of the process.
    return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(bytes),
                                         SizeofResource(self, info));
}

} // namespace qz
