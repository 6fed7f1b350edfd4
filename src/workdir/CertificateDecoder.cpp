#include "workdir/CertificateDecoder.h"

#include "workdir/CertificateLayout.h"
#include "workdir/Cp866.h"
#include "workdir/RecordFile.h"

#include <map>
#include <optional>

namespace qz {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The field's CP866 bytes; nothing when its length is not two digits or the
// text would run past the record.
std::optional<std::string> fieldOf(const std::string& plain, const CertificateField& field) {
    if (field.lengthAt + 2 > plain.size() || !isDigit(plain[field.lengthAt]) ||
        !isDigit(plain[field.lengthAt + 1]))
        return std::nullopt;
    std::size_t length = (plain[field.lengthAt] - '0') * 10 + (plain[field.lengthAt + 1] - '0');
    if (field.textAt + length > plain.size())
        return std::nullopt;
    return plain.substr(field.textAt, length);
}

std::optional<std::uint32_t> keyNumber(const std::optional<std::string>& text) {
    if (!text || text->empty() || text->size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : *text) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > UINT32_MAX)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::string withoutPortNote(std::string host) {
    if (host.size() >= 4 && host.compare(host.size() - 4, 2, " (") == 0)
        host.resize(host.size() - 4);
    return host;
}

} // namespace

CertificateConnection DecodeCertificate(FileSystem& files, std::string_view programDirectory) {
    std::string path = WorkDirFile(WorkDirFolder(files, programDirectory), "access.dat");
    if (!files.fileExists(path))
        return {};
    auto file = files.open(path, OpenMode::Read);
    if (!file || RecordCount(*file) != CertificateRecordCount)
        return {};

    std::map<int, std::string> plain;
    auto unscramble = [&](int record, const RecordScrambler& scrambler) {
        auto stored = ReadRecord(*file, static_cast<std::size_t>(record));
        auto text = stored ? scrambler.unscramble(*stored) : std::nullopt;
        if (text)
            plain[record] = *text;
        return text.has_value();
    };
    if (!unscramble(KeyARecord, RecordScrambler::Fixed()) ||
        !unscramble(KeyBRecord, RecordScrambler::Fixed()))
        return {};
    auto a = keyNumber(fieldOf(plain[KeyARecord], KeyAField));
    auto b = keyNumber(fieldOf(plain[KeyBRecord], KeyBField));
    if (!a || !b)
        return {};
    for (int r = 2; r < static_cast<int>(CertificateRecordCount); ++r)
        if (r != KeyBRecord && !unscramble(r, CertificateScrambler(r, *a, *b)))
            return {};

    auto host = fieldOf(plain[HostField.record], HostField);
    auto user = fieldOf(plain[UserField.record], UserField);
    auto password = fieldOf(plain[PasswordField.record], PasswordField);
    auto folder = fieldOf(plain[FolderField.record], FolderField);
    if (!host || !user || !password || !folder)
        return {};
    return {true, withoutPortNote(Cp866ToChar(*host)), Cp866ToChar(*user), Cp866ToChar(*password),
            Cp866ToChar(*folder)};
}

} // namespace qz
