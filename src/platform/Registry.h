// Registry port. Keys are read and written in the 32-bit view, so a 64-bit
// build sees what the 32-bit program sees.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qz {

enum class RegistryRoot { LocalMachine, CurrentUser, ClassesRoot };

class Registry {
public:
    virtual ~Registry() = default;
    virtual bool keyExists(RegistryRoot root, const std::string& key) const = 0;
    // An empty value name reads the key's default value.
    virtual std::optional<std::string> readString(RegistryRoot root, const std::string& key,
                                                  const std::string& name) const = 0;
    // Lists the names of a key's sub-keys (empty when the key is missing).
    virtual std::vector<std::string> subKeys(RegistryRoot root, const std::string& key) const = 0;
    virtual bool createKey(RegistryRoot root, const std::string& key) = 0;
    virtual bool writeString(RegistryRoot root, const std::string& key, const std::string& name,
                             const std::string& value) = 0;
    // Deletes a key that has no sub-keys, with its values; true when it is
    // gone (also when it was never there).
    virtual bool deleteKey(RegistryRoot root, const std::string& key) = 0;
};

} // namespace qz
