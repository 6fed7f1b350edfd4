// Resources port on the executable's own resources.
#pragma once

#include "platform/Resources.h"

namespace qz {

class Win32Resources : public Resources {
public:
    std::optional<std::span<const std::uint8_t>> find(const std::string& type,
                                                      const std::string& name) const override;
};

} // namespace qz
