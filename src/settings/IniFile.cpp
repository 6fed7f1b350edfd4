#include "settings/IniFile.h"

#include "text/Text.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <optional>

namespace qz {
namespace {

constexpr std::size_t npos = std::string::npos;

// "[name]" with blanks allowed around the name; nothing when not a header.
std::optional<std::string> headerName(const std::string& line) {
    std::string t = text::trim(line);
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    std::size_t close = t.find(']');
    if (close == npos)
        return std::nullopt;
    return text::trim(t.substr(1, close - 1));
}

std::string keyName(const std::string& line) {
    std::size_t eq = line.find('=');
    return text::trim(eq == npos ? line : line.substr(0, eq));
}

// Control characters other than the tab, which is a blank to the reader.
bool hasControlCharacter(std::string_view s) {
    for (char c : s)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
            return true;
    return false;
}

// The reader trims a value and takes one pair of matching quotes off; a
// value that either would change is written inside a pair of quotes.
std::string storedForm(const std::string& value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted || text::trim(value) != value ? "\"" + value + "\"" : value;
}

} // namespace

IniFile::IniFile(FileSystem& files, std::string path, CodePage codePage)
    : files_(files), path_(std::move(path)), codePage_(codePage) {
    auto file = files_.open(path_, OpenMode::Read);
    if (!file)
        return;
    std::string bytes(file->size(), '\0');
    bytes.resize(file->read(bytes.data(), bytes.size()));
    readable_ = true;
    TextFileContent decoded = DecodeTextFile(bytes, codePage_);
    form_ = decoded.form;
    const std::string& content = decoded.text;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        std::string line = content.substr(start, end == npos ? npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(line);
        if (end == npos)
            break;
        start = end + 1;
    }
}

std::size_t IniFile::findSection(const std::string& section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = headerName(lines_[i]);
        if (name && text::equalsIgnoreCase(*name, text::trim(section)))
            return i;
    }
    return npos;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !headerName(lines_[i]))
        ++i;
    return i;
}

std::size_t IniFile::findKey(std::size_t header, const std::string& key) const {
    std::string wanted = text::trim(key);
    for (std::size_t i = header + 1, end = sectionEnd(header); i < end; ++i) {
        if (lines_[i].find('=') != npos && text::equalsIgnoreCase(keyName(lines_[i]), wanted))
            return i;
    }
    return npos;
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    std::size_t header = findSection(section);
    std::size_t line = header == npos ? npos : findKey(header, key);
    if (line == npos)
        return text::trim(defaultValue);
    std::string value = text::trim(lines_[line].substr(lines_[line].find('=') + 1));
    // A value in matching quotes loses them, as the private-profile calls do.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

long IniFile::readInteger(const std::string& section, const std::string& key,
                          long defaultValue) const {
    std::string value = readString(section, key, "");
    if (value.empty())
        return defaultValue;
    int base = 10;
    std::size_t start = 0;
    bool negative = value[0] == '-';
    if (negative || value[0] == '+')
        start = 1;
    if (value.compare(start, 1, "$") == 0) {
        base = 16;
        start += 1;
    } else if (value.size() > start + 2 && value[start] == '0' &&
               (value[start + 1] == 'x' || value[start + 1] == 'X')) {
        base = 16;
        start += 2;
    }
    if (start >= value.size())
        return defaultValue;
    char* end = nullptr;
    std::string digits = value.substr(start);
    if (!std::isxdigit(static_cast<unsigned char>(digits[0])))
        return defaultValue;
    errno = 0;
    long long n = std::strtoll(digits.c_str(), &end, base);
    if (*end != '\0' || errno == ERANGE || n > 0xFFFFFFFFLL)
        return defaultValue;
    long result = static_cast<long>(base == 16 ? static_cast<std::int32_t>(n) : n);
    if (base == 10 && n > 0x7FFFFFFFLL)
        return defaultValue;
    return negative ? -result : result;
}

bool IniFile::readBool(const std::string& section, const std::string& key,
                       bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::sectionExists(const std::string& section) const {
    return findSection(section) != npos;
}

bool IniFile::valueExists(const std::string& section, const std::string& key) const {
    std::size_t header = findSection(section);
    return header != npos && findKey(header, key) != npos;
}

std::vector<std::string> IniFile::sectionKeys(const std::string& section) const {
    std::vector<std::string> keys;
    std::size_t header = findSection(section);
    if (header == npos)
        return keys;
    for (std::size_t i = header + 1, end = sectionEnd(header); i < end; ++i) {
        if (lines_[i].find('=') != npos)
            keys.push_back(keyName(lines_[i]));
    }
    return keys;
}

std::vector<std::string> IniFile::sections() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_)
        if (auto name = headerName(line))
            names.push_back(*name);
    return names;
}

bool IniFile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    if (hasControlCharacter(value)) {
        writeFailed_ = true;
        return false;
    }
    std::string line = text::trim(key) + "=" + storedForm(value);
    std::size_t header = findSection(section);
    if (header == npos) {
        lines_.push_back("[" + text::trim(section) + "]");
        lines_.push_back(line);
        return save();
    }
    std::size_t existing = findKey(header, key);
    if (existing != npos) {
        lines_[existing] = line;
        return save();
    }
    // A new key goes after the section's last non-blank line.
    std::size_t at = sectionEnd(header);
    while (at > header + 1 && text::trim(lines_[at - 1]).empty())
        --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
    return save();
}

bool IniFile::writeInteger(const std::string& section, const std::string& key, long value) {
    return writeString(section, key, std::to_string(value));
}

bool IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

bool IniFile::eraseSection(const std::string& section) {
    std::size_t header = findSection(section);
    if (header == npos)
        return true;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd(header)));
    return save();
}

bool IniFile::save() {
    std::string content;
    for (const std::string& line : lines_)
        content += line + "\r\n";
    const std::string bytes = EncodeTextFile(content, codePage_, form_);
    auto file = files_.open(path_, OpenMode::Create);
    bool ok = file && file->write(bytes.data(), bytes.size()) == bytes.size() && file->close();
    writeFailed_ = writeFailed_ || !ok;
    return ok;
}

} // namespace qz
