#include "CertificateWriter.h"

#include "workdir/CertificateLayout.h"
#include "workdir/Cp866.h"
#include "workdir/RecordFile.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <stdexcept>

namespace qz {
namespace {

constexpr std::size_t PlainSize = RecordScrambler::MaxPlainSize;
// FormatCertificateInfo drops a header whose field runs to the 50th character.
constexpr std::size_t MaxHeaderField = 49;

std::string storable(const std::string& text, const std::string& what) {
    std::string bytes = CharToCp866(text);
    if (Cp866ToChar(bytes) != text)
        throw std::invalid_argument(what + " holds characters a certificate cannot store");
    return bytes;
}

// Draws take the engine's numbers directly, whose sequence the C++ standard
// fixes; the library's distributions may differ between compilers, and a
// seed must give the same file with every build of the tool.
std::string filler(std::mt19937& random) {
    std::string s(PlainSize, ' ');
    for (char& c : s)
        c = static_cast<char>(0x20 + random() % 95);
    return s;
}

// A key number of nine or ten digits.
std::uint32_t keyNumber(std::mt19937& random) {
    constexpr std::uint32_t Least = 100000000;
    return Least + static_cast<std::uint32_t>(random() % (std::uint64_t{UINT32_MAX} - Least + 1));
}

void putField(std::string& plain, const CertificateField& field, const std::string& bytes,
              const std::string& what) {
    if (bytes.size() > 99 || field.textAt + bytes.size() > plain.size())
        throw std::invalid_argument(what + " is too long (at most " +
                                    std::to_string(plain.size() - field.textAt) + " characters)");
    plain[field.lengthAt] = static_cast<char>('0' + bytes.size() / 10);
    plain[field.lengthAt + 1] = static_cast<char>('0' + bytes.size() % 10);
    plain.replace(field.textAt, bytes.size(), bytes);
}

std::string header(const CertificateContent& c) {
    std::string text = "1.0|";
    for (const auto& [value, what] : {std::pair{c.name, "name"}, std::pair{c.group, "group"},
                                      std::pair{c.login, "login"}, std::pair{c.note, "note"}}) {
        std::string bytes = storable(value, what);
        if (bytes.find('|') != std::string::npos || bytes.size() > MaxHeaderField)
            throw std::invalid_argument(std::string(what) + " must hold no \"|\" and at most " +
                                        std::to_string(MaxHeaderField) + " characters");
        text += bytes + "|";
    }
    if (text.size() > RecordTextSize)
        throw std::invalid_argument("name, group, login and note together are too long");
    return text;
}

} // namespace

std::string BuildCertificate(const CertificateContent& content, std::mt19937& random) {
    if (content.name.empty())
        throw std::invalid_argument("the student's name is required");
    std::uint32_t a = keyNumber(random);
    std::uint32_t b = keyNumber(random);

    std::map<int, std::string> plain;
    for (int r = 1; r < static_cast<int>(CertificateRecordCount); ++r)
        plain[r] = filler(random);
    putField(plain[KeyARecord], KeyAField, std::to_string(a), "key A");
    putField(plain[KeyBRecord], KeyBField, std::to_string(b), "key B");
    putField(plain[HostField.record], HostField, storable(content.host, "host"), "host");
    putField(plain[UserField.record], UserField, storable(content.user, "user"), "user");
    putField(plain[PasswordField.record], PasswordField, storable(content.password, "password"),
             "password");
    putField(plain[FolderField.record], FolderField, storable(content.folder, "folder"), "folder");

    std::string file = PaddedRecord(header(content));
    for (int r = 1; r < static_cast<int>(CertificateRecordCount); ++r)
        file += PaddedRecord(CertificateScrambler(r, a, b).scramble(plain[r]));
    return file;
}

int RunMakeCertificate(const std::vector<std::string>& args, std::ostream& err) {
    const char* usage = "usage: make-certificate --out FILE --name NAME --host HOST[:PORT] "
                        "--user USER --password PASSWORD [--group GROUP] [--login LOGIN] "
                        "[--note NOTE] [--folder FOLDER] [--seed N]\n";
    CertificateContent content;
    std::string out, seed;
    std::map<std::string, std::string*> options = {{"--out", &out},
                                                   {"--name", &content.name},
                                                   {"--group", &content.group},
                                                   {"--login", &content.login},
                                                   {"--note", &content.note},
                                                   {"--host", &content.host},
                                                   {"--user", &content.user},
                                                   {"--password", &content.password},
                                                   {"--folder", &content.folder},
                                                   {"--seed", &seed}};
    for (std::size_t i = 0; i < args.size(); i += 2) {
        auto option = options.find(args[i]);
        if (option == options.end() || i + 1 >= args.size()) {
            err << "make-certificate: unknown option or missing value: " << args[i] << "\n"
                << usage;
            return 2;
        }
        *option->second = args[i + 1];
    }
    if (out.empty() || content.host.empty() || content.user.empty()) {
        err << usage;
        return 2;
    }

    std::mt19937 random;
    if (seed.empty()) {
        std::random_device device;
        random.seed(device());
    } else {
        try {
            random.seed(static_cast<std::mt19937::result_type>(std::stoul(seed)));
        } catch (const std::exception&) {
            err << "make-certificate: --seed takes a number\n";
            return 2;
        }
    }

    std::string bytes;
    try {
        bytes = BuildCertificate(content, random);
    } catch (const std::invalid_argument& e) {
        err << "make-certificate: " << e.what() << "\n";
        return 1;
    }
    std::ofstream file(std::filesystem::path(std::u8string(out.begin(), out.end())),
                       std::ios::binary | std::ios::trunc);
    // A failed close is a failed write: that is where a full disk may show.
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (file.fail()) {
        err << "make-certificate: cannot write " << out << "\n";
        return 1;
    }
    return 0;
}

} // namespace qz
