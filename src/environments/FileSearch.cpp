#include "environments/FileSearch.h"

#include "environments/PathParts.h"
#include "environments/ProgramFiles.h"
#include "text/Text.h"

namespace qz {

std::string FileSearch::FindFileRecursive(const std::string& folder, const std::string& mask) {
    if (!folder.empty() && !StartsWithFixedDrive(files_, folder))
        return {};
    std::string start = WithTrailingBackslash(folder);
    std::string id = text::upper(start) + "|" + text::upper(mask);
    auto known = answers_.find(id);
    if (known != answers_.end())
        return known->second;
    std::string found = search(start, mask);
    answers_.emplace(std::move(id), found);
    return found;
}

std::string FileSearch::search(const std::string& folder, const std::string& mask) {
    std::vector<FindEntry> hits = files_.list(folder + mask, ListKind::Files);
    if (!hits.empty())
        return folder + hits.front().name;
    // Map nodes stay put while deeper searches add to the cache.
    const std::vector<std::string>& children = subfolders(folder);
    for (const std::string& child : children) {
        std::string found = search(folder + child + "\\", mask);
        if (!found.empty())
            return found;
    }
    return {};
}

const std::vector<std::string>& FileSearch::subfolders(const std::string& folder) {
    std::string id = text::upper(folder);
    auto known = subfolders_.find(id);
    if (known != subfolders_.end())
        return known->second;
    std::vector<std::string> names;
    for (const FindEntry& e : files_.list(folder + "*", ListKind::Folders))
        if (e.isDirectory() && e.name != "." && e.name != "..")
            names.push_back(e.name);
    return subfolders_.emplace(std::move(id), std::move(names)).first->second;
}

} // namespace qz
