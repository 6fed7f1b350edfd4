// Registry port kept in memory. Key paths and value names match without
// regard to case. load() reads a small text form:
//   [HKLM\SOFTWARE\Vendor\Product]
//   "Value Name"="text"        (@="text" sets the default value)
#pragma once

#include "platform/Registry.h"

#include <map>

namespace qz {

class HostRegistry : public Registry {
public:
    // Returns false (and keeps what was read so far) on a malformed line.
    bool load(const std::string& text);

    bool keyExists(RegistryRoot root, const std::string& key) const override;
    std::optional<std::string> readString(RegistryRoot root, const std::string& key,
                                          const std::string& name) const override;
    std::vector<std::string> subKeys(RegistryRoot root, const std::string& key) const override;
    bool createKey(RegistryRoot root, const std::string& key) override;
    bool writeString(RegistryRoot root, const std::string& key, const std::string& name,
                     const std::string& value) override;
    bool deleteKey(RegistryRoot root, const std::string& key) override;

private:
    struct Key {
        std::string name;                          // as first written
        std::map<std::string, std::string> values; // by upper-cased value name
    };
    static std::string normalise(RegistryRoot root, const std::string& key);
    std::map<std::string, Key> keys_; // by normalised path
};

} // namespace qz
