// The uninstall record qz4.log that the installer leaves in its UNINST
// folder: a message line of four texts, each followed by "|" (title,
// question, completion text, introduction of the files left behind), then
// one path a line. A line ending in "\a" names a folder to remove with all
// it holds; every other line is a file or a shortcut the installer placed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz::demo {

struct UninstallRecord {
    std::string title;
    std::string question;
    std::string completedText;
    std::string notRemovedText;
    std::vector<std::string> folders; // without the "\a"
    std::vector<std::string> files;   // in record order
};

// Reads the record's text (already in UTF-8; CR LF or LF line ends, blank
// lines ignored). Nothing when the first line lacks the four texts.
std::optional<UninstallRecord> ParseUninstallRecord(std::string_view text);

} // namespace qz::demo
