#include "platform/PathRoot.h"

namespace qz {
namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// End of the path component that starts at from.
std::size_t componentEnd(std::string_view path, std::size_t from) {
    while (from < path.size() && !isSeparator(path[from]))
        ++from;
    return from;
}

} // namespace

std::size_t PathRootLength(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':')
        return path.size() >= 3 && isSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        // Server and share together form the root: neither has a parent to make.
        std::size_t end = componentEnd(path, componentEnd(path, 2) + 1);
        return end < path.size() ? end + 1 : path.size();
    }
    return !path.empty() && isSeparator(path[0]) ? 1 : 0;
}

} // namespace qz
