#include "workdir/CertificateHeader.h"

#include "text/Text.h"
#include "workdir/Cp866.h"
#include "workdir/RecordFile.h"

namespace qz {
namespace {

constexpr std::string_view HeaderTag = "1.0|";
constexpr std::size_t MaxFieldEnd = 50;
constexpr int FieldCount = 4;

// Characters, not bytes, of UTF-8 text.
std::size_t charCount(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

// Start of the character that ends at `end`.
std::size_t previousChar(std::string_view utf8, std::size_t end) {
    std::size_t i = end;
    while (i > 0 && (static_cast<unsigned char>(utf8[--i]) & 0xC0) == 0x80) {
    }
    return i;
}

} // namespace

CertificateHeaderRead ReadCertificateHeader(FileSystem& files, std::string_view folder,
                                            std::string_view fileName) {
    std::string d = WorkDirFolder(files, folder);
    if (!WorkDirExists(files, d))
        return {StatusFolderMissing, {}};
    std::string path = WorkDirFile(d, fileName);
    if (!files.fileExists(path))
        return {StatusFileMissing, {}};
    ClearReadOnly(files, WorkDirFile(d, "access.dat"));
    auto file = files.open(path, OpenMode::Read);
    if (!file)
        return {StatusCannotOpen, {}};
    if (RecordCount(*file) <= 2)
        return {StatusTooShort, {}};
    auto header = ReadRecord(*file, 0);
    if (!header)
        return {StatusCannotOpen, {}};
    return {StatusOk, Cp866ToChar(*header)};
}

std::string FormatCertificateInfo(std::string_view header) {
    if (!header.starts_with(HeaderTag))
        return {};
    std::string_view rest = header.substr(HeaderTag.size());
    std::string fields[FieldCount];
    for (auto& field : fields) {
        std::size_t bar = rest.find('|');
        if (bar == std::string_view::npos)
            break;
        if (charCount(rest.substr(0, bar)) >= MaxFieldEnd)
            return {};
        field = text::trim(rest.substr(0, bar));
        rest = rest.substr(bar + 1);
    }
    return fields[0] + "\r\n" + fields[1] + " [" + fields[2] + "] " + fields[3];
}

std::string ReadCertificateText(FileSystem& files, std::string_view folder,
                                std::string_view fileName) {
    CertificateHeaderRead read = ReadCertificateHeader(files, folder, fileName);
    return read.status == StatusOk ? FormatCertificateInfo(read.header) : std::string();
}

std::string CertificateIdentity(std::string_view text, IdentityForm form) {
    std::size_t lineEnd = text.find('\r');
    std::string shortForm(text.substr(0, lineEnd));
    if (form == IdentityForm::Short || lineEnd == std::string_view::npos)
        return shortForm;
    std::string_view second = text.substr(lineEnd + 1);
    if (second.starts_with('\n'))
        second.remove_prefix(1);
    second = second.substr(0, second.find('\r'));
    std::size_t bracket = second.rfind('[');
    if (bracket == std::string_view::npos || charCount(second.substr(0, bracket)) < 2)
        return shortForm;
    return shortForm + " " + std::string(second.substr(0, previousChar(second, bracket)));
}

} // namespace qz
