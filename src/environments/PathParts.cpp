#include "environments/PathParts.h"

#include <algorithm>

namespace qz {
namespace {

// Index just past the folder part: after the last "\" or ":".
std::size_t nameStart(std::string_view path) {
    std::size_t cut = path.find_last_of("\\:");
    return cut == std::string_view::npos ? 0 : cut + 1;
}

} // namespace

std::string FolderPart(std::string_view path) {
    return std::string(path.substr(0, nameStart(path)));
}

std::string FolderOf(std::string_view path) {
    std::size_t start = nameStart(path);
    // A root keeps its backslash ("C:\"); any other folder loses it.
    if (start > 0 && path[start - 1] == '\\' && start > 1 && !(start == 3 && path[1] == ':'))
        --start;
    return std::string(path.substr(0, start));
}

std::string FileNameOf(std::string_view path) {
    return std::string(path.substr(nameStart(path)));
}

std::string ExtensionOf(std::string_view path) {
    std::string name = FileNameOf(path);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string WithTrailingBackslash(std::string_view folder) {
    std::string out(folder);
    if (out.empty() || out.back() != '\\')
        out += '\\';
    return out;
}

std::string ForwardSlashes(std::string_view path) {
    std::string out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

} // namespace qz
