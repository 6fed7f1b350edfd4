// UTF-8 <-> UTF-16 at the boundary of the W APIs.
#pragma once

#include "text/Text.h"

#include <string>

namespace qz::win32 {

inline std::wstring wide(const std::string& utf8) {
    std::u16string s = text::toUtf16(utf8);
    return std::wstring(s.begin(), s.end());
}

inline std::string narrow(const wchar_t* utf16) {
    std::wstring w(utf16);
    return text::fromUtf16(std::u16string(w.begin(), w.end()));
}

inline std::string narrow(const std::wstring& utf16) {
    return narrow(utf16.c_str());
}

} // namespace qz::win32
