// Text in the system's code pages, to and from the program's UTF-8. Files
// that keep their text in the ANSI code page (ini files, readme texts) go
// through this port, so that each system converts as it can: Windows with
// its own conversion for every code page it has, the host with the tables
// of text/.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qz {

// Raised for a code page the system cannot convert: text is never guessed.
class UnsupportedCodePage : public std::runtime_error {
public:
    explicit UnsupportedCodePage(unsigned codePage)
        : std::runtime_error("code page " + std::to_string(codePage) + " cannot be converted") {}
};

class CodePages {
public:
    virtual ~CodePages() = default;
    // Characters the code page cannot hold become '?', bytes it does not
    // define U+FFFD.
    virtual std::string decode(std::string_view bytes, unsigned codePage) const = 0;
    virtual std::string encode(std::string_view utf8, unsigned codePage) const = 0;
};

// One code page of the system, as a file that keeps its text in it sees it.
struct CodePage {
    const CodePages& pages;
    unsigned number;
    std::string decode(std::string_view bytes) const { return pages.decode(bytes, number); }
    std::string encode(std::string_view utf8) const { return pages.encode(utf8, number); }
};

} // namespace qz
