#include "platform/win32/Win32Registry.h"

#include "platform/win32/WideString.h"

#include <windows.h>

namespace qz {
namespace {

using win32::narrow;
using win32::wide;

HKEY rootKey(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    default:
        return HKEY_LOCAL_MACHINE;
    }
}

// Key paths may start with "\\" as written relative to the root; the API
// refuses to open such a path, so the root-relative form is passed on.
std::wstring subKey(const std::string& path) {
    std::size_t start = path.find_first_not_of('\\');
    return wide(start == std::string::npos ? std::string() : path.substr(start));
}

// An open key, closed when it goes out of scope.
class Key {
public:
    Key(RegistryRoot root, const std::string& path, REGSAM access) {
        if (RegOpenKeyExW(rootKey(root), subKey(path).c_str(), 0, access | KEY_WOW64_32KEY, &h_) !=
            ERROR_SUCCESS)
            h_ = nullptr;
    }
    ~Key() {
        if (h_)
            RegCloseKey(h_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return h_; }

private:
    HKEY h_ = nullptr;
};

} // namespace

bool Win32Registry::keyExists(RegistryRoot root, const std::string& key) const {
    return Key(root, key, KEY_READ).get() != nullptr;
}

std::optional<std::string> Win32Registry::readString(RegistryRoot root, const std::string& key,
                                                     const std::string& name) const {
    Key k(root, key, KEY_READ);
    if (!k.get())
        return std::nullopt;
    std::wstring valueName = wide(name);
    DWORD type = 0, bytes = 0;
    if (RegQueryValueExW(k.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(k.get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return narrow(buffer.c_str()); // stops at the terminator, present or not
}

std::vector<std::string> Win32Registry::subKeys(RegistryRoot root, const std::string& key) const {
    std::vector<std::string> out;
    Key k(root, key, KEY_READ);
    if (!k.get())
        return out;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        out.push_back(narrow(name));
    }
    return out;
}

bool Win32Registry::createKey(RegistryRoot root, const std::string& key) {
    HKEY h = nullptr;
    if (RegCreateKeyExW(rootKey(root), subKey(key).c_str(), 0, nullptr, 0,
                        KEY_WRITE | KEY_WOW64_32KEY, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

bool Win32Registry::writeString(RegistryRoot root, const std::string& key, const std::string& name,
                                const std::string& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExW(rootKey(root), subKey(key).c_str(), 0, nullptr, 0,
                        KEY_WRITE | KEY_WOW64_32KEY, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return false;
    std::wstring data = wide(value);
    LONG rc = RegSetValueExW(h, wide(name).c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(data.c_str()),
                             static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
    return rc == ERROR_SUCCESS;
}

bool Win32Registry::deleteKey(RegistryRoot root, const std::string& key) {
    const LONG rc = RegDeleteKeyExW(rootKey(root), subKey(key).c_str(), KEY_WOW64_32KEY, 0);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

} // namespace qz
