#include "workdir/RemoteName.h"

namespace qz {

bool IsSafeRemoteName(std::string_view name) {
    // "." names the folder itself; ".." anywhere is refused outright.
    if (name.find_first_not_of('.') == std::string_view::npos ||
        name.find("..") != std::string_view::npos)
        return false;
    for (char c : name)
        if (c == '\\' || c == '/' || c == ':' || static_cast<unsigned char>(c) < 32)
            return false;
    return true;
}

} // namespace qz
