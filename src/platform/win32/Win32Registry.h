// Registry port on the Windows registry, always in the 32-bit view.
#pragma once

#include "platform/Registry.h"

namespace qz {

class Win32Registry : public Registry {
public:
    bool keyExists(RegistryRoot root, const std::string& key) const override;
    std::optional<std::string> readString(RegistryRoot root, const std::string& key,
                                          const std::string& name) const override;
    std::vector<std::string> subKeys(RegistryRoot root, const std::string& key) const override;
    bool createKey(RegistryRoot root, const std::string& key) override;
    bool writeString(RegistryRoot root, const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool deleteKey(RegistryRoot root, const std::string& key) override;
};

} // namespace qz
