// Fuzzes the readers of record files: unscrambling, header parsing and
// formatting, and the file operations on results files and certificates.
// The first input byte chooses what the rest feeds:
//   0  a stored record for unscrambling (kind and keys from the next 9 bytes)
//   1  header texts for parsing, formatting and identities
//   2  the bytes of results.dat and access.dat
//   3  plain certificate records, scrambled with valid checks before decoding,
//      so that the field reading behind the checks is reached
#include "platform/host/HostFileSystem.h"
#include "workdir/CertificateDecoder.h"
#include "workdir/CertificateHeader.h"
#include "workdir/CertificateLayout.h"
#include "workdir/Cp866.h"
#include "workdir/RecordFile.h"
#include "workdir/ResultsFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace qz;

std::uint32_t word(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

// The plain record must come back from its own scrambling, and an accepted
// stored record must be exactly what scrambling its plain text gives.
void unscrambling(const RecordScrambler& s, const std::string& stored) {
    if (auto plain = s.unscramble(stored)) {
        check(plain->size() + 2 == stored.size());
        check(s.scramble(*plain) == stored);
    }
    if (stored.size() >= RecordScrambler::MinPlainSize &&
        stored.size() <= RecordScrambler::MaxPlainSize) {
        auto back = s.unscramble(s.scramble(stored));
        check(back && *back == stored);
    }
}

void texts(const std::string& input) {
    std::string a = input.substr(0, input.size() / 2), b = input.substr(input.size() / 2);
    ResultsHeader h = ParseResultsHeader(Cp866ToChar(a));
    check(h.number >= 4 && h.number <= 40 && h.number % 2 == 0);
    check(SplitEnvironmentKey(h.key).version >= 1);
    std::string info = FormatCertificateInfo(Cp866ToChar(b));
    std::string shortForm = CertificateIdentity(info, IdentityForm::Short);
    std::string longForm = CertificateIdentity(info, IdentityForm::Long);
    check(longForm.compare(0, shortForm.size(), shortForm) == 0);
    CertificateIdentity(b, IdentityForm::Long);
    CharToCp866(a);
}

struct Machine {
    std::filesystem::path root;
    HostFileSystem files;
    Machine() : root(makeRoot()), files(root) {}
    static std::filesystem::path makeRoot() {
        auto dir = std::filesystem::temp_directory_path() /
                   ("qz4-fuzz-records-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "C" / "W");
        return dir;
    }
    void write(const char* name, const std::string& bytes) {
        std::ofstream(root / "C" / "W" / name, std::ios::binary | std::ios::trunc) << bytes;
    }
};

Machine& machine() {
    static Machine m;
    return m;
}

void files(const std::string& input) {
    Machine& m = machine();
    m.write("results.dat", input);
    m.write("access.dat", input);
    ReadResultsHeader(m.files, "C:\\W");
    ReadResultsName(m.files, "C:\\W");
    CertificateHeaderRead header = ReadCertificateHeader(m.files, "C:\\W", "access.dat");
    CertificateIdentity(FormatCertificateInfo(header.header), IdentityForm::Long);
    DecodeCertificate(m.files, "C:\\W\\");
    WriteResultsHeader(m.files, "C:\\W", "KEY1", "C:\\QZ4\\");
}

void putKey(std::string& plain, const CertificateField& field, std::uint32_t key) {
    std::string digits = std::to_string(key);
    plain[field.lengthAt] = static_cast<char>('0' + digits.size() / 10);
    plain[field.lengthAt + 1] = static_cast<char>('0' + digits.size() % 10);
    plain.replace(field.textAt, digits.size(), digits);
}

void certificate(const std::uint8_t* data, std::size_t size) {
    if (size < 9)
        return;
    std::uint32_t a = word(data), b = word(data + 4);
    bool keepKeys = data[8] & 1;
    std::string rest(reinterpret_cast<const char*>(data + 9), size - 9);
    std::string file = PaddedRecord(rest.substr(0, 78));
    for (int r = 1; r < static_cast<int>(CertificateRecordCount); ++r) {
        std::string plain(RecordScrambler::MaxPlainSize, ' ');
        std::size_t at = 78 + static_cast<std::size_t>(r - 1) * plain.size();
        if (at < rest.size())
            plain.replace(0, std::min(plain.size(), rest.size() - at),
                          rest.substr(at, plain.size()));
        if (!keepKeys && r == KeyARecord)
            putKey(plain, KeyAField, a);
        if (!keepKeys && r == KeyBRecord)
            putKey(plain, KeyBField, b);
        file += PaddedRecord(CertificateScrambler(r, a, b).scramble(plain));
    }
    Machine& m = machine();
    m.write("access.dat", file);
    DecodeCertificate(m.files, "C:\\W\\");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 4) {
    case 0:
        if (rest.size() >= 9) {
            auto p = reinterpret_cast<const std::uint8_t*>(rest.data());
            int kind = static_cast<std::int8_t>(p[0]);
            std::string stored = rest.substr(9);
            unscrambling(RecordScrambler(kind, word(p + 1), word(p + 5)), stored);
            unscrambling(RecordScrambler::Fixed(), stored);
            unscrambling(RecordScrambler::CertificateRecord(kind, word(p + 1), word(p + 5)),
                         stored);
        }
        break;
    case 1:
        texts(rest);
        break;
    case 2:
        files(rest);
        break;
    case 3:
        certificate(data + 1, size - 1);
        break;
    }
    return 0;
}
