#include "platform/host/HostResources.h"

#include "text/Text.h"

namespace qz {

// Resource types and names are matched without regard to case, as on Windows.
void HostResources::add(const std::string& type, const std::string& name,
                        std::span<const std::uint8_t> bytes) {
    blocks_[{text::upperAscii(type), text::upperAscii(name)}] = bytes;
}

std::optional<std::span<const std::uint8_t>> HostResources::find(const std::string& type,
                                                                 const std::string& name) const {
    auto it = blocks_.find({text::upperAscii(type), text::upperAscii(name)});
    if (it == blocks_.end())
        return std::nullopt;
    return it->second;
}

} // namespace qz
