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
    // Map nodes stay put while deeper searches add to the cache.
    const Listing& here = listing(folder);
    if (mask.find_first_of("*?") != std::string::npos) {
        std::vector<FindEntry> hits = files_.list(folder + mask, ListKind::Files);
        if (!hits.empty())
            return folder + hits.front().name;
    } else {
        for (const std::string& name : here.files)
            if (text::equalsIgnoreCase(name, mask))
                return folder + name;
    }
    for (const std::string& child : here.folders) {
        std::string found = search(folder + child + "\\", mask);
        if (!found.empty())
            return found;
    }
    return {};
}

const FileSearch::Listing& FileSearch::listing(const std::string& folder) {
    std::string id = text::upper(folder);
    auto known = listings_.find(id);
    if (known != listings_.end())
        return known->second;
    Listing names;
    for (NameEntry& e : files_.listNames(folder))
        (e.isDirectory ? names.folders : names.files).push_back(std::move(e.name));
    return listings_.emplace(std::move(id), std::move(names)).first->second;
}

} // namespace qz
