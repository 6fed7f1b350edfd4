#include "settings/TextFile.h"

#include "text/Text.h"

namespace qz {
namespace {

std::string fromUtf16Le(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return text::fromUtf16(units);
}

std::string toUtf16Le(std::string_view utf8) {
    std::string bytes;
    for (char16_t unit : text::toUtf16(utf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace

TextFileContent DecodeTextFile(std::string_view bytes, const CodePage& codePage) {
    if (bytes.starts_with(Utf16Mark))
        return {fromUtf16Le(bytes.substr(Utf16Mark.size())), TextFileForm::Utf16};
    if (bytes.starts_with(Utf8Mark))
        return {std::string(bytes.substr(Utf8Mark.size())), TextFileForm::Utf8};
    return {codePage.decode(bytes), TextFileForm::CodePage};
}

std::string EncodeTextFile(std::string_view text, const CodePage& codePage, TextFileForm& form) {
    if (form == TextFileForm::CodePage) {
        std::string bytes = codePage.encode(text);
        if (codePage.decode(bytes) == text)
            return bytes;
        form = TextFileForm::Utf16;
    }
    if (form == TextFileForm::Utf16)
        return std::string(Utf16Mark) + toUtf16Le(text);
    return std::string(Utf8Mark) + std::string(text);
}

} // namespace qz
