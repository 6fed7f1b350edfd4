// Line-by-line editing of the IDE templates and configuration files that the
// problem book ships or touches. Bytes outside the edited lines stay exactly
// as they were; an edited line ends with CR LF. A file is rewritten only when
// a line changes, through "<name>1", which then replaces the original in one
// step, so a failure at any point leaves the original intact. Failures are
// swallowed: nothing here reports to the user.
#pragma once

#include "platform/CodePages.h"
#include "platform/FileSystem.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// The lines of a file without their ends (CR LF, LF or CR), as stored bytes;
// empty when it cannot be read.
std::vector<std::string> ReadLines(FileSystem& files, const std::string& path);

// How inserted text is stored in one file: as the file declares it, by a
// byte-order mark or else the encoding of its XML declaration. XML documents
// that declare no encoding (project files, PyCharm's xml and iml files) are
// UTF-8 by the rules of XML, as are the json files of Visual Studio Code;
// other files, which declare nothing, take the ANSI code page, and so does an
// XML declaration naming an encoding this program cannot write. A file with a
// UTF-16 byte-order mark has no byte lines to edit and is left alone.
class TemplateEncoding {
public:
    TemplateEncoding(const std::string& path, std::string_view content, CodePage ansi);
    bool editable() const { return editable_; }
    std::string bytes(std::string_view utf8) const;

private:
    bool editable_ = true;
    bool utf8_ = false;
    CodePage codePage_;
};

// Given a line's stored bytes, returns its new text (stored bytes, without
// the line end) or nothing to keep the line.
using LineEdit =
    std::function<std::optional<std::string>(const std::string& line, const TemplateEncoding&)>;

class TemplateEditor {
public:
    TemplateEditor(FileSystem& files, CodePage ansi) : files_(files), ansi_(ansi) {}

    // Applies the edit to every line of one file; true when it was rewritten.
    bool rewriteFile(const std::string& path, const LineEdit& edit);
    // Applies the edit to every file of the folder that matches the mask.
    void rewriteFiles(const std::string& folder, const std::string& mask, const LineEdit& edit);

    // A line whose trimmed text begins with the key becomes its indentation
    // followed by the new text. Nothing happens for an empty new text.
    void ReplaceKeyedLines(const std::string& folder, const std::string& mask,
                           const std::string& key, const std::string& newText);
    // A line containing the trimmed opening text becomes
    // opening text + value + closing tag.
    void ReplaceTaggedLines(const std::string& folder, const std::string& mask,
                            const std::string& value, const std::string& closingTag,
                            const std::string& openingText);
    // Every occurrence of the old text becomes the new text. Nothing happens
    // for an empty new or old text.
    void ReplacePlaceholder(const std::string& folder, const std::string& mask,
                            const std::string& newText, const std::string& oldText);

private:
    FileSystem& files_;
    CodePage ansi_;
};

} // namespace qz
