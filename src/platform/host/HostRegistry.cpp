#include "platform/host/HostRegistry.h"

#include "text/Text.h"

#include <sstream>

namespace qz {

std::string HostRegistry::normalise(RegistryRoot root, const std::string& key) {
    static const char* const roots[] = {"HKLM", "HKCU", "HKCR"};
    std::string path = roots[static_cast<int>(root)];
    std::string part;
    for (char c : key + "\\") {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                path += "\\" + text::upper(part);
            part.clear();
        } else {
            part += c;
        }
    }
    return path;
}

bool HostRegistry::load(const std::string& source) {
    std::istringstream in(source);
    std::string line, current;
    RegistryRoot currentRoot = RegistryRoot::LocalMachine;
    while (std::getline(in, line)) {
        line = text::trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            std::string full = line.substr(1, line.size() - 2);
            std::size_t slash = full.find('\\');
            std::string rootName = text::upperAscii(full.substr(0, slash));
            RegistryRoot root = rootName == "HKCU"   ? RegistryRoot::CurrentUser
                                : rootName == "HKCR" ? RegistryRoot::ClassesRoot
                                                     : RegistryRoot::LocalMachine;
            if (rootName != "HKLM" && rootName != "HKCU" && rootName != "HKCR")
                return false;
            current = slash == std::string::npos ? std::string() : full.substr(slash + 1);
            createKey(root, current);
            currentRoot = root;
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string::npos || line.back() != '"')
            return false;
        std::string name = line.substr(0, eq);
        if (name == "@")
            name.clear();
        else if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
            name = name.substr(1, name.size() - 2);
        else
            return false;
        std::string value = line.substr(eq + 1);
        if (value.size() < 2 || value.front() != '"')
            return false;
        writeString(currentRoot, current, name, value.substr(1, value.size() - 2));
    }
    return true;
}

bool HostRegistry::keyExists(RegistryRoot root, const std::string& key) const {
    return keys_.count(normalise(root, key)) != 0;
}

std::optional<std::string> HostRegistry::readString(RegistryRoot root, const std::string& key,
                                                    const std::string& name) const {
    auto k = keys_.find(normalise(root, key));
    if (k == keys_.end())
        return std::nullopt;
    auto v = k->second.values.find(text::upper(name));
    if (v == k->second.values.end())
        return std::nullopt;
    return v->second;
}

std::vector<std::string> HostRegistry::subKeys(RegistryRoot root, const std::string& key) const {
    std::string prefix = normalise(root, key) + "\\";
    std::vector<std::string> out;
    for (auto it = keys_.lower_bound(prefix); it != keys_.end(); ++it) {
        if (it->first.compare(0, prefix.size(), prefix) != 0)
            break;
        if (it->first.find('\\', prefix.size()) == std::string::npos)
            out.push_back(it->second.name);
    }
    return out;
}

bool HostRegistry::createKey(RegistryRoot root, const std::string& key) {
    // Every ancestor exists too, as in the real registry.
    std::string partial;
    std::string part;
    for (char c : key + "\\") {
        if (c == '\\' || c == '/') {
            if (!part.empty()) {
                partial += (partial.empty() ? "" : "\\") + part;
                Key& k = keys_[normalise(root, partial)];
                if (k.name.empty())
                    k.name = part;
            }
            part.clear();
        } else {
            part += c;
        }
    }
    keys_[normalise(root, "")];
    return true;
}

bool HostRegistry::writeString(RegistryRoot root, const std::string& key, const std::string& name,
                               const std::string& value) {
    createKey(root, key);
    keys_[normalise(root, key)].values[text::upper(name)] = value;
    return true;
}

bool HostRegistry::deleteKey(RegistryRoot root, const std::string& key) {
    if (!subKeys(root, key).empty())
        return false; // as the system's own call refuses
    keys_.erase(normalise(root, key));
    return true;
}

} // namespace qz
