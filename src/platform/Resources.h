// The program's own custom resources, found by type and name.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qz {

class Resources {
public:
    virtual ~Resources() = default;
    // The bytes of a resource; empty optional when it is missing. The bytes
    // live as long as the program.
    virtual std::optional<std::span<const std::uint8_t>> find(const std::string& type,
                                                              const std::string& name) const = 0;
};

} // namespace qz
