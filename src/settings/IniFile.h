// An ini file read and written the way the Windows private-profile calls do:
// sections and keys match without regard to case, the first occurrence wins,
// values are trimmed, and every write reaches the file at once. The program
// sees UTF-8. A file without a byte-order mark is in the given code page (the
// system's ANSI code page for the program's own files); one that starts with
// the UTF-16 LE or UTF-8 mark is read and written in that form. A file whose
// text the code page cannot hold (a Cyrillic name on a Western system) is
// written as UTF-16 LE with its mark, which the system's own profile calls
// read too, so nothing becomes '?'.
#pragma once

#include "platform/CodePages.h"
#include "platform/FileSystem.h"
#include "settings/TextFile.h"

#include <string>
#include <vector>

namespace qz {

class IniFile {
public:
    // Reads the file if it exists; a missing or unreadable file reads as empty
    // (readable() tells which).
    // A code page the system cannot convert raises UnsupportedCodePage, here
    // and at every write.
    IniFile(FileSystem& files, std::string path, CodePage codePage);

    const std::string& path() const { return path_; }
    bool readable() const { return readable_; }

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Decimal, or hexadecimal with "0x" or "$"; anything else gives the default.
    long readInteger(const std::string& section, const std::string& key, long defaultValue) const;
    // True for any non-zero integer.
    bool readBool(const std::string& section, const std::string& key, bool defaultValue) const;
    bool sectionExists(const std::string& section) const;
    bool valueExists(const std::string& section, const std::string& key) const;
    // Key names of a section in file order.
    std::vector<std::string> sectionKeys(const std::string& section) const;
    std::vector<std::string> sections() const;

    // Each returns false when the file could not be written. A value is
    // stored so that readString gives it back as it was: in quotes when it
    // has blanks at an end or quotes at both. A value with a control
    // character other than the tab (a line break would end it and start
    // another key) is refused: nothing is written and the call fails.
    bool writeString(const std::string& section, const std::string& key, const std::string& value);
    bool writeInteger(const std::string& section, const std::string& key, long value);
    bool writeBool(const std::string& section, const std::string& key, bool value);
    bool eraseSection(const std::string& section);
    // Whether any write since the file was opened failed.
    bool writeFailed() const { return writeFailed_; }

private:
    // Index of the section's header line, or npos.
    std::size_t findSection(const std::string& section) const;
    // Index of the key's line inside the section starting at header, or npos.
    std::size_t findKey(std::size_t header, const std::string& key) const;
    std::size_t sectionEnd(std::size_t header) const;
    bool save();

    FileSystem& files_;
    std::string path_;
    CodePage codePage_;
    TextFileForm form_ = TextFileForm::CodePage;
    bool readable_ = false;
    bool writeFailed_ = false;
    std::vector<std::string> lines_;
};

} // namespace qz
