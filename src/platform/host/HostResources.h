// Resources port over byte blocks linked into the program at build time.
#pragma once

#include "platform/Resources.h"

#include <map>
#include <utility>

namespace qz {

class HostResources : public Resources {
public:
    // Adds a resource; the bytes must outlive this object.
    void add(const std::string& type, const std::string& name, std::span<const std::uint8_t> bytes);
    std::optional<std::span<const std::uint8_t>> find(const std::string& type,
                                                      const std::string& name) const override;

private:
    std::map<std::pair<std::string, std::string>, std::span<const std::uint8_t>> blocks_;
};

} // namespace qz
