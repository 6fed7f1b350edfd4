#include "configtool/PathAbbreviation.h"

namespace qz {

std::string AbbreviatePath(const std::string& path, int width, const TextMeasure& measure) {
    std::string drive, folder, name = path;
    if (name.size() >= 2 && name[1] == ':') {
        drive = name.substr(0, 2);
        name.erase(0, 2);
    }
    std::size_t lastSlash = name.rfind('\\');
    if (lastSlash != std::string::npos) {
        folder = name.substr(0, lastSlash + 1);
        name.erase(0, lastSlash + 1);
    }
    std::string shown = path;
    while (measure(shown) > width) {
        if (folder == "\\...\\") {
            drive.clear();
            folder = "...\\";
            shown = drive + folder + name;
            break;
        }
        if (!folder.empty()) {
            // Drop the first folder name that is still shown.
            std::string lead;
            if (folder.starts_with("\\"))
                lead = "\\";
            std::string rest = folder.substr(lead.size());
            if (rest.starts_with("...\\"))
                rest.erase(0, 4);
            std::size_t slash = rest.find('\\');
            folder = slash == std::string::npos ? std::string()
                                                : lead + "...\\" + rest.substr(slash + 1);
        } else if (!drive.empty()) {
            drive.clear();
        } else {
            break;
        }
        shown = drive + folder + name;
    }
    if (measure(shown) > width) {
        std::size_t blank = shown.find(' ');
        if (blank != std::string::npos)
            shown = shown.substr(0, blank) + "...";
    }
    return shown;
}

} // namespace qz
