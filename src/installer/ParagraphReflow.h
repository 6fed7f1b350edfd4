// Joins the lines of a plain text file into paragraphs, one line each, so
// that a word-wrapping viewer can flow them to its own width.
#pragma once

#include <string>
#include <vector>

namespace qz {

// A paragraph starts at an empty line, at a line that begins (blanks
// aside) with "-" or "*", and at a line that begins with "COPYRIGHT" in any
// letter case. Other lines continue the paragraph, joined by one blank.
// Empty lines stay as empty lines.
std::vector<std::string> reflowParagraphs(const std::vector<std::string>& lines);

// The lines of a text; CR LF, LF and a lone CR each end a line.
std::vector<std::string> splitLines(const std::string& text);

} // namespace qz
