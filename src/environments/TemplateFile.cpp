#include "environments/TemplateFile.h"

#include "environments/PathParts.h"
#include "text/Text.h"

#include <algorithm>
#include <iterator>

namespace qz {
namespace {

struct Line {
    std::string text;
    std::string end; // "\r\n", "\n", "\r" or "" on the last line
};

std::optional<std::string> readAll(FileSystem& files, const std::string& path) {
    auto file = files.open(path, OpenMode::Read);
    if (!file)
        return std::nullopt;
    std::string bytes(file->size(), '\0');
    bytes.resize(file->read(bytes.data(), bytes.size()));
    return bytes;
}

std::vector<Line> splitLines(const std::string& bytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        std::size_t next = end + 1;
        if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n')
            ++next;
        lines.push_back({bytes.substr(start, end - start), bytes.substr(end, next - end)});
        start = next;
    }
    return lines;
}

// Length of the leading blanks (and control characters) of a line.
std::size_t indentation(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && static_cast<unsigned char>(line[i]) <= ' ')
        ++i;
    return i;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool isXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The value of the encoding attribute of an XML declaration at the start of
// the content, lower-cased; empty when there is no declaration or no
// attribute.
std::string declaredEncoding(std::string_view content) {
    if (!startsWith(content, "<?xml") || content.size() < 6 || !isXmlBlank(content[5]))
        return "";
    std::string_view declaration = content.substr(0, content.find("?>"));
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos || (at > 0 && !isXmlBlank(declaration[at - 1])))
        return "";
    at += 8;
    while (at < declaration.size() && isXmlBlank(declaration[at]))
        ++at;
    if (at >= declaration.size() || declaration[at] != '=')
        return "";
    ++at;
    while (at < declaration.size() && isXmlBlank(declaration[at]))
        ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return "";
    std::size_t end = declaration.find(declaration[at], at + 1);
    if (end == std::string_view::npos)
        return "";
    return text::lowerAscii(declaration.substr(at + 1, end - at - 1));
}

// The code page of a declared single-byte encoding ("windows-1251",
// "cp866", "ibm866"), or 0 for a name this program cannot write.
unsigned codePageNamed(std::string_view name) {
    for (std::string_view prefix : {"windows-", "cp", "ibm"}) {
        if (!startsWith(name, prefix))
            continue;
        std::string_view digits = name.substr(prefix.size());
        unsigned number = 0;
        for (char c : digits) {
            if (c < '0' || c > '9' || number > 99999)
                return 0;
            number = number * 10 + static_cast<unsigned>(c - '0');
        }
        return !digits.empty() && text::isKnownCodePage(number) ? number : 0;
    }
    return 0;
}

} // namespace

std::vector<std::string> ReadLines(FileSystem& files, const std::string& path) {
    std::vector<std::string> out;
    if (auto bytes = readAll(files, path))
        for (Line& line : splitLines(*bytes))
            out.push_back(std::move(line.text));
    return out;
}

TemplateEncoding::TemplateEncoding(const std::string& path, std::string_view content, CodePage ansi)
    : codePage_(ansi) {
    if (startsWith(content, "\xEF\xBB\xBF")) {
        utf8_ = true;
        return;
    }
    if (startsWith(content, "\xFF\xFE") || startsWith(content, "\xFE\xFF")) {
        editable_ = false;
        return;
    }
    if (startsWith(content, "<?xml")) {
        std::string name = declaredEncoding(content);
        if (name.empty() || name == "utf-8" || name == "utf8")
            utf8_ = true;
        else if (unsigned declared = codePageNamed(name))
            codePage_.number = declared;
        return;
    }
    static const std::string_view xmlOrJson[] = {
        ".JSON", ".XML", ".IML", ".CSPROJ", ".VBPROJ", ".FSPROJ", ".VCPROJ", ".VCXPROJ", ".CBP"};
    std::string ext = text::upperAscii(ExtensionOf(path));
    utf8_ = std::find(std::begin(xmlOrJson), std::end(xmlOrJson), ext) != std::end(xmlOrJson);
}

std::string TemplateEncoding::bytes(std::string_view utf8) const {
    return utf8_ ? std::string(utf8) : codePage_.encode(utf8);
}

bool TemplateEditor::rewriteFile(const std::string& path, const LineEdit& edit) {
    std::optional<std::string> original = readAll(files_, path);
    if (!original)
        return false;
    TemplateEncoding encoding(path, *original, ansi_);
    if (!encoding.editable())
        return false;
    std::string result;
    result.reserve(original->size() + 256);
    bool changed = false;
    for (const Line& line : splitLines(*original)) {
        std::optional<std::string> edited = edit(line.text, encoding);
        if (edited && *edited != line.text) {
            result += *edited + "\r\n";
            changed = true;
        } else {
            result += line.text + line.end;
        }
    }
    if (!changed)
        return false;
    std::string temporary = path + "1";
    bool written = false;
    if (auto out = files_.open(temporary, OpenMode::Create))
        written = out->write(result.data(), result.size()) == result.size() && out->close();
    if (written && files_.moveFile(temporary, path, true))
        return true;
    files_.deleteFile(temporary);
    return false;
}

void TemplateEditor::rewriteFiles(const std::string& folder, const std::string& mask,
                                  const LineEdit& edit) {
    if (!files_.directoryExists(folder))
        return;
    std::string prefix = WithTrailingBackslash(folder);
    for (const FindEntry& entry : files_.list(prefix + mask, ListKind::Files))
        rewriteFile(prefix + entry.name, edit);
}

void TemplateEditor::ReplaceKeyedLines(const std::string& folder, const std::string& mask,
                                       const std::string& key, const std::string& newText) {
    if (newText.empty())
        return;
    rewriteFiles(folder, mask,
                 [&](const std::string& line,
                     const TemplateEncoding& encoding) -> std::optional<std::string> {
                     std::size_t indent = indentation(line);
                     if (line.compare(indent, key.size(), key) != 0)
                         return std::nullopt;
                     return line.substr(0, indent) + encoding.bytes(newText);
                 });
}

void TemplateEditor::ReplaceTaggedLines(const std::string& folder, const std::string& mask,
                                        const std::string& value, const std::string& closingTag,
                                        const std::string& openingText) {
    std::string tag = text::trim(openingText);
    rewriteFiles(folder, mask,
                 [&](const std::string& line,
                     const TemplateEncoding& encoding) -> std::optional<std::string> {
                     if (line.find(tag) == std::string::npos)
                         return std::nullopt;
                     return encoding.bytes(openingText + value + closingTag);
                 });
}

void TemplateEditor::ReplacePlaceholder(const std::string& folder, const std::string& mask,
                                        const std::string& newText, const std::string& oldText) {
    if (newText.empty() || oldText.empty())
        return;
    rewriteFiles(folder, mask,
                 [&](const std::string& line,
                     const TemplateEncoding& encoding) -> std::optional<std::string> {
                     std::string from = encoding.bytes(oldText);
                     std::string to = encoding.bytes(newText);
                     std::size_t at = line.find(from);
                     if (at == std::string::npos)
                         return std::nullopt;
                     std::string out = line;
                     for (; at != std::string::npos; at = out.find(from, at + to.size()))
                         out.replace(at, from.size(), to);
                     return out;
                 });
}

} // namespace qz
