#include "UninstallRecord.h"

#include "text/Text.h"

namespace qz::demo {

namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!text::trim(line).empty())
            lines.emplace_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

} // namespace

std::optional<UninstallRecord> ParseUninstallRecord(std::string_view text) {
    std::vector<std::string> lines = Lines(text);
    if (lines.empty())
        return std::nullopt;

    std::vector<std::string> texts;
    std::string_view messages = lines.front();
    for (std::size_t bar; (bar = messages.find('|')) != std::string_view::npos;) {
        texts.emplace_back(messages.substr(0, bar));
        messages.remove_prefix(bar + 1);
    }
    if (texts.size() < 4)
        return std::nullopt;

    UninstallRecord record{texts[0], texts[1], texts[2], texts[3], {}, {}};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string path = text::trim(lines[i]);
        if (path.size() > 2 && path.ends_with("\\a"))
            record.folders.push_back(path.substr(0, path.size() - 2));
        else
            record.files.push_back(path);
    }
    return record;
}

} // namespace qz::demo
