// Native builds carry the reader's string tables as bytes linked into the
// program; this hands them to the host Resources port, where Windows builds
// find them among the executable's resources.
#pragma once

namespace qz {

class HostResources;

void registerUnzipStrings(HostResources& resources);

} // namespace qz
