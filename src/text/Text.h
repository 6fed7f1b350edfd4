// Text helpers on the program's UTF-8 strings: conversions at the system's
// boundaries, letter case as Windows folds it, trimming.
#pragma once

#include <string>
#include <string_view>

namespace qz::text {

// UTF-8 <-> UTF-16 for the W APIs; malformed input becomes U+FFFD.
std::u16string toUtf16(std::string_view utf8);
std::string fromUtf16(std::u16string_view utf16);

// Single-byte code pages (437, 850, 866, 1250, 1251, 1252; any other number
// is read as 1252). Bytes the code page leaves undefined and characters it
// cannot hold become the replacement.
bool isKnownCodePage(unsigned codePage);
std::string decode(std::string_view bytes, unsigned codePage);
std::string encode(std::string_view utf8, unsigned codePage, char replacement = '?');

// Letter case of Latin, Latin-1, Greek and Cyrillic letters, as the system's
// case-insensitive comparison sees them; other characters are kept.
std::string upper(std::string_view utf8);
std::string lower(std::string_view utf8);
// ASCII letters only, as the run-time library's plain UpperCase/LowerCase.
std::string upperAscii(std::string_view s);
std::string lowerAscii(std::string_view s);

bool equalsIgnoreCase(std::string_view a, std::string_view b);
// <0, 0, >0 comparing the upper-cased texts code point by code point.
int compareIgnoreCase(std::string_view a, std::string_view b);

// The first count characters (code points) of a text.
std::string leftChars(std::string_view utf8, std::size_t count);

// Removes leading and trailing blanks and control characters (bytes <= ' ').
std::string trim(std::string_view s);

} // namespace qz::text
