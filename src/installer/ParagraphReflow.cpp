#include "installer/ParagraphReflow.h"

#include "text/Text.h"

namespace qz {
namespace {

bool startsParagraph(const std::string& line) {
    if (line.empty())
        return true;
    std::string trimmed = text::trim(line);
    if (!trimmed.empty() && (trimmed[0] == '-' || trimmed[0] == '*'))
        return true;
    return text::upperAscii(trimmed.substr(0, 9)) == "COPYRIGHT";
}

} // namespace

std::vector<std::string> reflowParagraphs(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    std::string pending;
    for (const std::string& line : lines) {
        if (startsParagraph(line)) {
            if (!pending.empty())
                out.push_back(pending);
            if (line.empty())
                out.emplace_back();
            pending = line;
        } else if (pending.empty()) {
            pending = line;
        } else {
            pending += ' ' + text::trim(line);
        }
    }
    if (!pending.empty())
        out.push_back(pending);
    return out;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

} // namespace qz
