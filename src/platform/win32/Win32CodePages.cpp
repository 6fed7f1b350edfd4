#include "platform/win32/Win32CodePages.h"

#include "text/Text.h"

#include <windows.h>

namespace qz {
namespace {

// Code pages that take no flags and no replacement character (UTF-8, UTF-7
// and the stateful ones); the system refuses the call otherwise.
bool takesNoFlags(unsigned codePage) {
    return codePage == CP_UTF8 || codePage == CP_UTF7 || codePage == 42 ||
           (codePage >= 50220 && codePage <= 50229) || codePage == 52936 || codePage == 54936 ||
           (codePage >= 57002 && codePage <= 57011);
}

int checked(int count, unsigned codePage) {
    if (count == 0 && GetLastError() == ERROR_INVALID_PARAMETER)
        throw UnsupportedCodePage(codePage);
    return count;
}

} // namespace

std::string Win32CodePages::decode(std::string_view bytes, unsigned codePage) const {
    if (bytes.empty())
        return {};
    if (!IsValidCodePage(codePage))
        throw UnsupportedCodePage(codePage);
    const int size = static_cast<int>(bytes.size());
    int count = checked(MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0), codePage);
    std::u16string wide(static_cast<std::size_t>(count), u'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(wide.data()),
                        count);
    return text::fromUtf16(wide);
}

std::string Win32CodePages::encode(std::string_view utf8, unsigned codePage) const {
    if (utf8.empty())
        return {};
    if (!IsValidCodePage(codePage))
        throw UnsupportedCodePage(codePage);
    const std::u16string wide = text::toUtf16(utf8);
    const auto* source = reinterpret_cast<const wchar_t*>(wide.data());
    const int size = static_cast<int>(wide.size());
    // No best fit: a character the code page lacks becomes '?', never a
    // look-alike that names another file.
    const bool plain = takesNoFlags(codePage);
    const DWORD flags = plain ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* replacement = plain ? nullptr : "?";
    int count = checked(
        WideCharToMultiByte(codePage, flags, source, size, nullptr, 0, replacement, nullptr),
        codePage);
    std::string bytes(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(codePage, flags, source, size, bytes.data(), count, replacement, nullptr);
    return bytes;
}

} // namespace qz
