// Code pages on the host: the tables of text/, the same bytes on every
// machine. A code page without a table is refused, not read as another one:
// tests and tools see the gap instead of text turned into '?'.
#pragma once

#include "platform/CodePages.h"

namespace qz {

class HostCodePages : public CodePages {
public:
    std::string decode(std::string_view bytes, unsigned codePage) const override;
    std::string encode(std::string_view utf8, unsigned codePage) const override;
};

} // namespace qz
