// The forms a text file of the system takes. A file that starts with the
// UTF-16 LE or UTF-8 byte-order mark is in that form; any other is in the
// given (ANSI) code page. A file the program writes stays in its form, and
// one in the code page becomes UTF-16 LE with its mark when the code page
// cannot hold its text (a Cyrillic name on a Western system): the system's
// own text and profile calls read that form too, and no letter becomes '?'.
#pragma once

#include "platform/CodePages.h"

#include <string>
#include <string_view>

namespace qz {

enum class TextFileForm { CodePage, Utf16, Utf8 };

// The byte-order marks that open the two Unicode forms.
inline constexpr std::string_view Utf16Mark = "\xFF\xFE";
inline constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

struct TextFileContent {
    std::string text; // UTF-8
    TextFileForm form = TextFileForm::CodePage;
};

TextFileContent DecodeTextFile(std::string_view bytes, const CodePage& codePage);

// The file's bytes for the text; form is the file's form so far, and turns
// from CodePage to Utf16 when the code page cannot hold the text.
std::string EncodeTextFile(std::string_view text, const CodePage& codePage, TextFileForm& form);

} // namespace qz
