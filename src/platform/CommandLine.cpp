#include "platform/CommandLine.h"

namespace qz {

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> out;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true; // "" is an empty parameter
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                out.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        out.push_back(std::move(word));
    return out;
}

} // namespace qz
