#include "unzip/resources/EmbeddedStrings.h"

#include "platform/host/HostResources.h"
#include "unzip/StringResource.h"

namespace qz {

// Generated from StreamStrings.txt.
std::span<const std::uint8_t> streamStringTable();

void registerUnzipStrings(HostResources& resources) {
    resources.add(kStringTableType, kStreamStrings, streamStringTable());
}

} // namespace qz
