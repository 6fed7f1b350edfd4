// Code pages converted by Windows itself, so that every code page the system
// has (936, 1253, 1254, 1257 ...) keeps its text.
#pragma once

#include "platform/CodePages.h"

namespace qz {

class Win32CodePages : public CodePages {
public:
    std::string decode(std::string_view bytes, unsigned codePage) const override;
    std::string encode(std::string_view utf8, unsigned codePage) const override;
};

} // namespace qz
